#pragma once
// What a user would see as broken in a rendered window: texts cut by their control, and
// controls drawn over each other.

#include <QHash>
#include <QString>
#include <QStringList>

class QWidget;

namespace md::test {

// One line per visible label, button or check box under root whose text does not fit, and per
// pair of visible text controls of one parent that overlap: "name: 'text' needs 120 px, has 90".
QStringList layoutProblems(QWidget* root);

// Visible texts under root (labels, buttons, combo items, placeholders, tool tips) that are the
// English text of an id whose text in the shown language differs: left untranslated when the
// language changed. english and shown map text ids to texts.
QStringList englishLeftOver(QWidget* root, const QHash<QString, QString>& english,
                            const QHash<QString, QString>& shown);

}  // namespace md::test
