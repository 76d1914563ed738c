#include "panels/shoot_control_ui.h"

#include <QAbstractButton>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStackedWidget>

#include "ui/resource_manager.h"

namespace md {
namespace {

void checkQuietly(QAbstractButton* b, bool on) {
    if (!b) return;
    const QSignalBlocker block(b);
    b->setChecked(on);
}

}  // namespace

CShootControlUI::CShootControlUI(QWidget* parent)
    : QWidget(parent), m_tables(std::make_unique<RecoilTables>(std::string(), std::string())) {}

CShootControlUI::~CShootControlUI() = default;

template <typename T>
T* CShootControlUI::child(const QString& name) const {
    return findChild<T*>(name);
}

void CShootControlUI::setFolders(const std::string& userFolder, const std::string& defaultFolder) {
    m_tables = std::make_unique<RecoilTables>(userFolder, defaultFolder);
    m_tables->init();
    const std::pair<const char*, int> edits[] = {
        {"bullet_x_eidt", 255}, {"bullet_y_eidt", 255}, {"bullet_delay_eidt", 65535}};
    for (const auto& [name, max] : edits)
        if (auto* e = child<QLineEdit>(QLatin1String(name)); e && !e->validator())
            e->setValidator(new QIntValidator(0, max, e));
    selectGun(m_gun);
}

void CShootControlUI::selectGun(int gun) {
    m_gun = std::clamp(gun, 0, RecoilTables::kGuns - 1);
    for (int g = 0; g < RecoilTables::kGuns; ++g)
        checkQuietly(child<QAbstractButton>(QStringLiteral("shoot_gun_op_%1").arg(g)), g == m_gun);
    if (auto* pictures = child<QStackedWidget>(QStringLiteral("shoot_image_display_switch")))
        if (m_gun < pictures->count()) pictures->setCurrentIndex(m_gun);
    selectBullet(m_bullet);
}

void CShootControlUI::selectBullet(int bullet) {
    m_bullet = std::clamp(bullet, 0, RecoilTables::kBullets - 1);
    for (int b = 0; b < RecoilTables::kBullets; ++b)
        checkQuietly(child<QAbstractButton>(QStringLiteral("bullet_op_%1").arg(b)), b == m_bullet);
    if (auto* index = child<QLabel>(QStringLiteral("bullet_select_index")))
        index->setText(QString::number(m_bullet + 1));
    loadBullet();
}

void CShootControlUI::loadBullet() {
    const RecoilBullet b = m_tables->bullet(m_gun, m_bullet);
    checkQuietly(child<QAbstractButton>(QStringLiteral("bullet_x_check")), b.left);
    checkQuietly(child<QAbstractButton>(QStringLiteral("bullet_y_check")), b.up);
    const std::pair<const char*, int> values[] = {
        {"bullet_x_eidt", b.x}, {"bullet_y_eidt", b.y}, {"bullet_delay_eidt", b.delay}};
    for (const auto& [name, v] : values)
        if (auto* e = child<QLineEdit>(QLatin1String(name))) {
            const QSignalBlocker block(e);
            e->setText(QString::number(v));
        }
    updateDirectionTexts();
}

void CShootControlUI::updateDirectionTexts() {
    auto& res = ResourceManager::instance();
    if (auto* x = child<QAbstractButton>(QStringLiteral("bullet_x_check")))
        x->setText(res.text(x->isChecked() ? QStringLiteral("mouse_move_to_left_text")
                                           : QStringLiteral("mouse_move_to_right_text")));
    if (auto* y = child<QAbstractButton>(QStringLiteral("bullet_y_check")))
        y->setText(res.text(y->isChecked() ? QStringLiteral("mouse_move_to_up_text")
                                           : QStringLiteral("mouse_move_to_down_text")));
}

int CShootControlUI::saveBullet() {
    const auto value = [this](const char* name, int max) {
        auto* e = child<QLineEdit>(QLatin1String(name));
        if (!e) return 0;
        const int v = RecoilTables::fieldValue(e->text().trimmed().toStdString(), max);
        const QSignalBlocker block(e);
        e->setText(QString::number(v));  // what is stored is what shows
        return v;
    };
    RecoilBullet b;
    auto* x = child<QAbstractButton>(QStringLiteral("bullet_x_check"));
    auto* y = child<QAbstractButton>(QStringLiteral("bullet_y_check"));
    b.left = x && x->isChecked();
    b.up = y && y->isChecked();
    b.x = uint8_t(value("bullet_x_eidt", 255));
    b.y = uint8_t(value("bullet_y_eidt", 255));
    b.delay = uint16_t(value("bullet_delay_eidt", 65535));
    return m_tables->setBullet(m_gun, m_bullet, b);
}

int CShootControlUI::resetGun() {
    const int r = m_tables->resetGun(m_gun);
    loadBullet();
    return r;
}

int CShootControlUI::importGun(const std::string& path) {
    const int r = m_tables->importGun(m_gun, path);
    loadBullet();
    return r;
}

int CShootControlUI::exportGun(const std::string& path) {
    return m_tables->exportGun(m_gun, path);
}

}  // namespace md
