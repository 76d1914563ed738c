#include "layout_check.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextDocument>

namespace md::test {
namespace {

// The text as drawn: mnemonics ("&&" is one "&") and rich text reduced to plain text.
QString shownText(const QString& text, bool rich) {
    if (rich) {
        QTextDocument d;
        d.setHtml(text);
        return d.toPlainText();
    }
    QString t = text;
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove('&');
    t.replace(QChar(1), QChar('&'));
    return t;
}

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Labels and standard buttons whose text the user reads; pictures and custom-drawn controls
// (key caps over their lamps, tiles) are left out.
bool isTextControl(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    if (label) return !label->text().isEmpty() && label->pixmap().isNull();
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    if (!button || button->text().isEmpty()) return false;
    const QString cls = QString::fromLatin1(w->metaObject()->className());
    return cls == "QPushButton" || cls == "QCheckBox" || cls == "QRadioButton" ||
           cls == "QToolButton";
}

QString cut(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        const QRect r = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                       -label->margin(), -label->margin());
        const bool rich = Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText;
        const QString text = shownText(label->text(), rich);
        if (label->wordWrap()) {
            const int need = label->heightForWidth(label->width());
            if (need > label->height() + 1)
                return QStringLiteral("needs %1 px high, has %2").arg(need).arg(label->height());
            return {};
        }
        int need = 0;
        for (const QString& line : text.split('\n'))
            need = std::max(need, label->fontMetrics().horizontalAdvance(line));
        if (need > r.width() + 1)
            return QStringLiteral("needs %1 px, has %2").arg(need).arg(r.width());
        return {};
    }
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    // The style's own size for the text, its padding, indicator and icon: the style sheet's
    // padding is part of the contents rectangle the text is clipped to.
    const int need = button->sizeHint().width();
    if (need > button->width() + 1)
        return QStringLiteral("needs %1 px, has %2").arg(need).arg(button->width());
    return {};
}

// The part of w its parents show, in root's coordinates (empty when none).
QRect shownPart(const QWidget* w, const QWidget* root) {
    QRect r(w->mapTo(root, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        r &= QRect(p->mapTo(root, QPoint(0, 0)), p->size());
    return r & root->rect();
}

bool insideScrollArea(const QWidget* w, const QWidget* root) {
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p)) return true;
    return false;
}

}  // namespace

QStringList layoutProblems(QWidget* root) {
    QStringList problems;
    QList<QWidget*> shown;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || !isTextControl(w) || w->width() <= 0) continue;
        // Only what its parents show can be read: a control scrolled out of view is no cut.
        const QRect inRoot = shownPart(w, root);
        if (inRoot.isEmpty()) continue;
        shown << w;
        const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                     : qobject_cast<QAbstractButton*>(w)->text();
        if (const QString c = cut(w); !c.isEmpty())
            problems << QStringLiteral("%1: '%2' %3").arg(nameOf(w), text.left(40), c);
        // Cut by the window (not by a scroll area the user can move).
        const QRect whole(w->mapTo(root, QPoint(0, 0)), w->size());
        if (inRoot != whole && !insideScrollArea(w, root))
            problems << QStringLiteral("%1: '%2' runs out of the window").arg(nameOf(w),
                                                                           text.left(40));
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j) {
            QWidget* a = shown[i];
            QWidget* b = shown[j];
            if (a->parentWidget() != b->parentWidget()) continue;
            const QRect overlap = a->geometry().intersected(b->geometry());
            if (overlap.width() > 2 && overlap.height() > 2)
                problems << QStringLiteral("%1 and %2 overlap").arg(nameOf(a), nameOf(b));
        }
    return problems;
}

QStringList englishLeftOver(QWidget* root, const QHash<QString, QString>& english,
                            const QHash<QString, QString>& shown) {
    // English texts that this language says differently.
    QHash<QString, QString> foreign;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        const QString t = shownText(it.value(), false).trimmed();
        if (t.size() < 3 || !t.contains(QRegularExpression(QStringLiteral("[a-z]{2}")))) continue;
        const auto other = shown.constFind(it.key());
        if (other != shown.cend() && shownText(other.value(), false).trimmed() != t)
            foreign.insert(t, it.key());
    }
    QStringList found;
    auto check = [&](QWidget* w, const QString& text, const char* what) {
        const QString t = shownText(text, false).trimmed();
        const auto id = foreign.constFind(t);
        if (id != foreign.cend())
            found << QStringLiteral("%1 %2 '%3' (%4)").arg(nameOf(w), what, t, id.value());
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        // Key caps carry the key names printed on the keys, which stay as they are.
        if (!w->isVisible() || w->inherits("md::CDeviceKeyButtonUI")) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) check(w, l->text(), "text");
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, b->text(), "text");
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) check(w, c->itemText(i), "item");
        if (auto* e = qobject_cast<QLineEdit*>(w)) check(w, e->placeholderText(), "placeholder");
        if (!w->toolTip().isEmpty()) check(w, w->toolTip(), "tool tip");
    }
    return found;
}

}  // namespace md::test
