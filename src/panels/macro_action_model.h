#pragma once
// The rows of a macro's action list for a QListView: one row per event, drawn by
// MacroActionDelegate. Names are looked up when a row is drawn, so loading or appending is
// cheap even at the 4000-action limit.

#include <QAbstractListModel>
#include <vector>

#include "profiles/macro_files.h"

namespace md {

class MacroActionModel : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role { kNameRole = Qt::UserRole + 1, kActionRole, kDelayRole, kEventRole, kIsMoveRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const std::vector<MacroEvent>& events() const { return m_events; }
    void setEvents(std::vector<MacroEvent> events);
    void insert(int row, const MacroEvent& e);
    void replace(int row, const MacroEvent& e);
    void remove(int row);
    void move(int from, int to);
    void clear() { setEvents({}); }
    // The whole list after an edit made on a copy (the recorder's).
    void assign(const std::vector<MacroEvent>& events);

    // The text id of an event's name ("" for types without one).
    static QString nameId(const MacroEvent& e);

  signals:
    // A delay was edited in the list.
    void delayEdited();

  private:
    std::vector<MacroEvent> m_events;
};

}  // namespace md
