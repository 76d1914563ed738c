#pragma once
// Builds widget trees from the skin's layout files (Qt Designer .ui XML). Besides Qt's own
// widget classes a layout may name:
//   - the toolkit's classes ("BackgroundPanel"),
//   - the application's classes registered in ControlRegistry ("CLightControlUI"),
//   - the tags of the builder's tag table, when it has one ("LightControl" creates the class
//     registered for it; "LightSetControlUI" is replaced by the tree of its own file, built
//     without tag table, so tags inside resolve through the class registration only).
// After building, the tree shows the texts of its text ids, the fonts of its font ids and the
// images of its "skinImage" / "skinIcon" properties.

#include <QString>
#include <QtUiTools/QUiLoader>

#include "ui/layout_tag_table.h"

namespace md {

class LayoutBuilder : public QUiLoader {
    Q_OBJECT
  public:
    explicit LayoutBuilder(const LayoutTagTable* tags = nullptr, QObject* parent = nullptr);

    // fileOrId: a resource id of the index or a path relative to the skin folder. Returns the
    // root of the new tree (owned by parent), or nullptr when the file cannot be built.
    QWidget* build(const QString& fileOrId, QWidget* parent = nullptr);
    // Builds into an existing widget: the layout's root becomes the only child of host, filling it.
    QWidget* buildInto(const QString& fileOrId, QWidget* host);

    QLayout* createLayout(const QString& className, QObject* parent = nullptr,
                          const QString& name = QString()) override;
    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

    // Shows the images named by "skinImage" (labels) and "skinIcon" (buttons) under root.
    static void applySkinImages(QWidget* root);

  private:
    const LayoutTagTable* m_tags;
    int m_depth = 0;
};

}  // namespace md
