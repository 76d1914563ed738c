#include "ui/keyboard_access.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOption>
#include <QTabBar>
#include <algorithm>

#include "ui/indexed_name.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

constexpr const char* kAutoNameProperty = "md_auto_accessible_name";  // the name given here
constexpr const char* kRingName = "focus_ring";

bool isQtInternal(const QWidget* w) {
    return w->objectName().startsWith(QLatin1String("qt_"));
}

// The text of id in the current language, or "" when no language has it.
QString optionalText(const QString& id) {
    const QString text = ResourceManager::instance().text(id);
    return text == id ? QString() : text;
}

// The label in front of w: its form's label, or a label just before it in its layout.
QLabel* labelInFront(QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (!parent) return nullptr;
    for (QLayout* layout : parent->findChildren<QLayout*>()) {
        if (auto* form = qobject_cast<QFormLayout*>(layout))
            if (auto* label = qobject_cast<QLabel*>(form->labelForField(w))) return label;
        const int at = layout->indexOf(w);
        if (at > 0 && layout->itemAt(at - 1)->widget())
            if (auto* label = qobject_cast<QLabel*>(layout->itemAt(at - 1)->widget()))
                return label->text().isEmpty() ? nullptr : label;
    }
    return nullptr;
}

QString accessibleText(QWidget* w) {
    if (const QString id = w->property("accNameId").toString(); !id.isEmpty())
        return ResourceManager::instance().text(id);
    if (const QString name = w->objectName(); !name.isEmpty()) {
        if (QString text = optionalText(QStringLiteral("acc_") + name); !text.isEmpty())
            return text;
        const IndexedName indexed = splitIndexedName(name);
        if (indexed.index >= 0)
            if (QString text = optionalText(QStringLiteral("acc_") + indexed.prefix);
                !text.isEmpty())
                return text.arg(indexed.index + 1);
    }
    // A control of the program's own tells its name through its accessibility interface.
    if (w->property("keyboardControl").toBool()) return {};
    // Qt names a button by its text and a field by its label (the label's buddy).
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) return {};
    if (QLabel* label = labelInFront(w)) {
        if (!label->buddy()) label->setBuddy(w);
        if (label->buddy() == w) return {};
    }
    // A field box (an edit, its unit, an option with its own text) after a label: the label
    // names the box's one control without a text. Not a buddy (Qt looks for buddies among
    // siblings only): the label's text id gives the name in the language being applied,
    // whichever of the two gets its text first.
    if (QWidget* box = w->parentWidget(); box && !box->isWindow()) {
        const auto controls = box->findChildren<QWidget*>();
        const bool alone = std::none_of(controls.begin(), controls.end(), [w](QWidget* c) {
            const auto* b = qobject_cast<QAbstractButton*>(c);
            return c != w && isInteractiveControl(c) && !isQtInternal(c) && !w->isAncestorOf(c) &&
                   !(b && !b->text().isEmpty());
        });
        if (QLabel* label = alone ? labelInFront(box) : nullptr) {
            const QString id = label->property("textId").toString();
            return id.isEmpty() ? label->text() : ResourceManager::instance().text(id);
        }
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && w->toolTip().isEmpty())
        return edit->placeholderText();
    return w->toolTip();
}

// ---- reading order ----

bool isTabStop(const QWidget* w) {
    if (!isInteractiveControl(w) || isQtInternal(w) || !w->isEnabled()) return false;
    // Qt keeps Tab off the options of an exclusive group but the focused one (arrows move
    // between them); here Tab reaches each of them.
    const auto* option = qobject_cast<const QAbstractButton*>(w);
    const bool exclusive =
        option && option->isCheckable() && (option->autoExclusive() || option->group());
    if (!exclusive && !(w->focusPolicy() & Qt::TabFocus)) return false;
    // The edit inside a combo box or spin box belongs to it.
    if (qobject_cast<const QLineEdit*>(w) &&
        (qobject_cast<const QComboBox*>(w->parentWidget()) ||
         qobject_cast<const QAbstractSpinBox*>(w->parentWidget())))
        return false;
    return true;
}

// Children top to bottom; those starting above the middle of a row's first one share its row,
// left to right.
QList<QWidget*> inReadingOrder(QList<QWidget*> kids) {
    std::stable_sort(kids.begin(), kids.end(), [](const QWidget* a, const QWidget* b) {
        return a->geometry().top() < b->geometry().top();
    });
    QList<QWidget*> out;
    for (qsizetype start = 0; start < kids.size();) {
        const int middle = kids[start]->geometry().center().y();
        qsizetype end = start + 1;
        while (end < kids.size() && kids[end]->geometry().top() < middle) ++end;
        QList<QWidget*> row = kids.mid(start, end - start);
        std::stable_sort(row.begin(), row.end(), [](const QWidget* a, const QWidget* b) {
            return a->geometry().left() < b->geometry().left();
        });
        out << row;
        start = end;
    }
    return out;
}

void collectChain(QWidget* parent, QList<QWidget*>& out) {
    QList<QWidget*> kids;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && w->isVisible()) kids << w;
    }
    for (QWidget* w : inReadingOrder(kids)) {
        if (isTabStop(w)) out << w;
        collectChain(w, out);
    }
}

// The ring around the control that Tab reached; styled by the window's style sheet.
class FocusRing final : public QWidget {
  public:
    explicit FocusRing(QWidget* window) : QWidget(window) {
        setObjectName(QLatin1String(kRingName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (m_target && now != m_target && !m_target->isAncestorOf(now)) follow(nullptr);
        });
    }

    void follow(QWidget* target) {
        for (QWidget* w : std::as_const(m_watched))
            if (w) w->removeEventFilter(this);
        m_watched.clear();
        m_target = target;
        for (QWidget* w = target; w && w != parentWidget(); w = w->parentWidget()) {
            w->installEventFilter(this);
            m_watched << w;
        }
        place();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
                place();
                break;
            default:
                break;
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOption option;
        option.initFrom(this);
        if (!window()->styleSheet().isEmpty() || !qApp->styleSheet().isEmpty()) {
            style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);
            return;
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().highlight(), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
    }

  private:
    // Around the target, cut to what its containers show of it.
    void place() {
        QWidget* window = parentWidget();
        if (!m_target || !m_target->isVisible()) return hide();
        constexpr int kMargin = 3;
        QRect visible = m_target->rect().adjusted(-kMargin, -kMargin, kMargin, kMargin);
        visible.moveTopLeft(m_target->mapTo(window, visible.topLeft()));
        for (QWidget* w = m_target->parentWidget(); w && w != window; w = w->parentWidget())
            visible &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
        if (visible.isEmpty()) return hide();
        setGeometry(visible);
        raise();
        show();
    }

    QPointer<QWidget> m_target;
    QList<QPointer<QWidget>> m_watched;
};

}  // namespace

bool isInteractiveControl(const QWidget* w) {
    if (!w || w->property("indicator").toBool()) return false;
    if (const QVariant own = w->property("keyboardControl"); own.isValid()) return own.toBool();
    if (qobject_cast<const QScrollBar*>(w)) return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QTabBar*>(w);
}

void applyAccessibleName(QWidget* w) {
    if (!w || (!isInteractiveControl(w) && !w->property("indicator").toBool())) return;
    const QString given = w->property(kAutoNameProperty).toString();
    if (w->accessibleName() != given) return;  // named by the code that shows it
    const QString name = accessibleText(w);
    if (name == given) return;
    w->setAccessibleName(name);
    w->setProperty(kAutoNameProperty, name);
}

void enableKeyboardFocus(QWidget* root) {
    if (!root) return;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets)
        if (w->focusPolicy() == Qt::NoFocus && isInteractiveControl(w) && !isQtInternal(w))
            w->setFocusPolicy(Qt::TabFocus);
}

QList<QWidget*> readingOrderFocusChain(QWidget* window) {
    QList<QWidget*> chain;
    if (window) collectChain(window, chain);
    return chain;
}

bool moveFocusInReadingOrder(QWidget* window, bool next) {
    const QList<QWidget*> chain = readingOrderFocusChain(window);
    if (chain.isEmpty()) return false;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != window) focus = window->focusWidget();
    // The focus may sit in a control's own part (the edit of a spin box).
    qsizetype at = chain.indexOf(focus);
    for (QWidget* w = focus; at < 0 && w && w != window; w = w->parentWidget())
        at = chain.indexOf(w);
    const qsizetype n = chain.size();
    const qsizetype to = at < 0 ? (next ? 0 : n - 1) : (at + (next ? 1 : n - 1)) % n;
    QWidget* target = chain[to];
    for (QWidget* w = target->parentWidget(); w && w != window; w = w->parentWidget())
        if (auto* scroller = qobject_cast<QScrollArea*>(w)) scroller->ensureWidgetVisible(target);
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    auto* ring = static_cast<FocusRing*>(focusRing(window));  // only this file makes one
    if (!ring) ring = new FocusRing(window);
    ring->follow(target);
    return true;
}

QWidget* focusRing(QWidget* window) {
    return window
               ? window->findChild<QWidget*>(QLatin1String(kRingName), Qt::FindDirectChildrenOnly)
               : nullptr;
}

}  // namespace md
