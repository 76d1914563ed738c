#include "ui/notify_dispatcher.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "common/dbg_out.h"

namespace md {
namespace {
constexpr const char* kDispatcherProperty = "md_notify_dispatcher";
constexpr const char* kAttachedProperty = "md_notify_attached";
constexpr const char* kFocusTextProperty = "md_focus_text";  // a line edit's text on entry
}  // namespace

NotifyDispatcher::NotifyDispatcher(NotifyTarget& target, QWidget* root)
    : QObject(root), m_target(target), m_targetLife(target.lifeToken()), m_root(root) {
    root->setProperty(kDispatcherProperty, QVariant::fromValue<QObject*>(this));
    attach(root);
}

void NotifyDispatcher::attach(QWidget* tree) {
    if (!tree) return;
    connectWidget(tree);
    for (QWidget* w : tree->findChildren<QWidget*>()) connectWidget(w);
}

void NotifyDispatcher::connectWidget(QWidget* w) {
    if (w->property(kAttachedProperty).toBool()) return;
    if (w != m_root && (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))) return;
    w->setProperty(kAttachedProperty, true);
    w->installEventFilter(this);
    QPointer<QWidget> p(w);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        connect(b, &QAbstractButton::clicked, this, [this, p] { notify(p, "click"); });
        connect(b, &QAbstractButton::toggled, this,
                [this, p](bool on) { notify(p, "selectchanged", on ? 1u : 0u); });
    } else if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        connect(s, &QAbstractSlider::sliderMoved, this,
                [this, p](int v) { notify(p, "movevaluechanged", static_cast<uintptr_t>(v)); });
        connect(s, &QAbstractSlider::valueChanged, this, [this, p, s](int v) {
            if (!s->isSliderDown()) notify(p, "valuechanged", static_cast<uintptr_t>(v));
        });
        connect(s, &QAbstractSlider::sliderReleased, this,
                [this, p, s] { notify(p, "valuechanged", static_cast<uintptr_t>(s->value())); });
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        connect(c, &QComboBox::currentIndexChanged, this,
                [this, p](int i) { notify(p, "itemselect", static_cast<uintptr_t>(i)); });
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        connect(e, &QLineEdit::textChanged, this, [this, p] { notify(p, "textchanged"); });
        connect(e, &QLineEdit::returnPressed, this, [this, p] {
            if (!p) return;
            notify(p, "killfocus");
            p->setProperty(kFocusTextProperty, qobject_cast<QLineEdit*>(p)->text());
        });
    } else if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
        connect(v, &QAbstractItemView::clicked, this, [this, p](const QModelIndex& i) {
            notify(p, "itemclick", static_cast<uintptr_t>(i.row()));
        });
        connect(v, &QAbstractItemView::activated, this, [this, p](const QModelIndex& i) {
            notify(p, "itemactivate", static_cast<uintptr_t>(i.row()));
        });
        if (auto* l = qobject_cast<QListWidget*>(w))
            connect(l, &QListWidget::currentRowChanged, this,
                    [this, p](int row) { notify(p, "itemselect", static_cast<uintptr_t>(row)); });
    }
}

bool NotifyDispatcher::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->setProperty(kFocusTextProperty, e->text());
            notify(w, "setfocus");
            break;
        case QEvent::KeyPress:
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isEnabled()) {
                // Enter presses a button or an option as Space does (Qt's own rule only
                // presses a dialog's default buttons).
                const int key = static_cast<QKeyEvent*>(event)->key();
                if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                    (static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier) ==
                        Qt::NoModifier) {
                    b->click();
                    return true;
                }
            }
            if (auto* e = qobject_cast<QLineEdit*>(w);
                e && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                e->property(kFocusTextProperty).isValid()) {
                // Esc takes back what was typed since the field took the focus.
                e->setText(e->property(kFocusTextProperty).toString());
                e->selectAll();
                return true;
            }
            break;
        case QEvent::FocusOut:
            notify(w, "killfocus");
            break;
        case QEvent::Resize:
            if (w == m_root) notify(w, "windowsize");
            break;
        case QEvent::ContextMenu: {
            const auto* c = static_cast<QContextMenuEvent*>(event);
            notify(w, "menu", static_cast<uintptr_t>(c->pos().x()), c->pos().y());
            break;
        }
        default:
            break;
    }
    return false;
}

void NotifyDispatcher::notify(QWidget* sender, const QString& type, uintptr_t wParam,
                              intptr_t lParam) {
    if (!sender || sender->signalsBlocked() || m_targetLife.expired()) return;
    Notification n{type, sender->objectName(), sender, wParam, lParam};
    if (type != QLatin1String("timer") && dbgEnabled())
        dbgOut((type + QLatin1Char(' ') + n.sender).toStdString());
    m_target.notify(n);
}

void NotifyDispatcher::windowInit() {
    if (m_initSent || !m_root) return;
    m_initSent = true;
    notify(m_root, "windowinit");
}

NotifyDispatcher* NotifyDispatcher::of(const QWidget* w) {
    for (; w; w = w->parentWidget()) {
        const QVariant v = w->property(kDispatcherProperty);
        if (v.isValid()) return qobject_cast<NotifyDispatcher*>(v.value<QObject*>());
    }
    return nullptr;
}

void NotifyDispatcher::emitFrom(QWidget* sender, const QString& type, uintptr_t wParam,
                                intptr_t lParam) {
    if (NotifyDispatcher* d = of(sender)) d->notify(sender, type, wParam, lParam);
}

}  // namespace md
