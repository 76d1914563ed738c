#include "panels/macro_action_model.h"

#include "input/keys/key_choices.h"
#include "input/keys/key_code_table.h"
#include "ui/resource_manager.h"

namespace md {

int MacroActionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_events.size());
}

QString MacroActionModel::nameId(const MacroEvent& e) {
    const auto table = keys::keyCodeTable();
    switch (e.type) {
        case MacroEvent::kKey:
            for (size_t i = keys::kModifierRows; i < table.size(); ++i)
                if (table[i].assignment[0] == keys::kKeyboardKey && table[i].assignment[1] == 0 &&
                    table[i].assignment[2] == e.button)
                    return QString::fromLatin1(table[i].nameId);
            return {};
        case MacroEvent::kModifier:
            for (size_t i = 0; i < keys::kModifierRows; ++i)
                if (table[i].assignment[1] == e.button) return QString::fromLatin1(table[i].nameId);
            return {};
        case MacroEvent::kMouseButton:
            for (const keys::ChoiceRow& r : keys::buttonChoices())
                if (r.assignment[1] == e.button) return QString::fromLatin1(r.nameId);
            return {};
        case MacroEvent::kMoveX:
            return e.down ? QStringLiteral("mouse_move_to_left_text")
                          : QStringLiteral("mouse_move_to_right_text");
        case MacroEvent::kMoveY:
            return e.down ? QStringLiteral("mouse_move_to_up_text")
                          : QStringLiteral("mouse_move_to_down_text");
        default:
            return {};
    }
}

QVariant MacroActionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_events.size()) return {};
    const MacroEvent& e = m_events[size_t(index.row())];
    const bool move = e.type == MacroEvent::kMoveX || e.type == MacroEvent::kMoveY;
    switch (role) {
        case Qt::DisplayRole:
        case kNameRole: {
            const QString id = nameId(e);
            QString text = id.isEmpty() ? QString() : ResourceManager::instance().text(id);
            if (text.isEmpty()) text = id;
            // A move says how far; an event of no known key still says what it is.
            if (move) return text + QStringLiteral(" ") + QString::number(e.button);
            if (text.isEmpty())
                return QStringLiteral("%1 %2").arg(
                    ResourceManager::instance().text(e.type == MacroEvent::kMouseButton
                                                         ? QStringLiteral("macro_unknown_button")
                                                         : QStringLiteral("macro_unknown_key")),
                    QString::number(e.button));
            return text;
        }
        case kActionRole:
            if (move) return ResourceManager::instance().text(QStringLiteral("macro_action_move"));
            return ResourceManager::instance().text(e.down ? QStringLiteral("macro_action_down")
                                                           : QStringLiteral("macro_action_up"));
        case kDelayRole:
        case Qt::EditRole:
            return int(e.delay);
        case kIsMoveRole:
            return move;
        case kEventRole:
            return int(e.type) << 24 | int(e.button) << 16 | (e.down ? 1 : 0);
        case Qt::ToolTipRole:
            return ResourceManager::instance().text(QStringLiteral("macro_delay_tip"));
        default:
            return {};
    }
}

bool MacroActionModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || size_t(index.row()) >= m_events.size())
        return false;
    bool ok = false;
    const qlonglong v = value.toString().trimmed().toLongLong(&ok);
    const auto delay = uint16_t(ok ? std::clamp<qlonglong>(v, 0, 65535) : 0);
    m_events[size_t(index.row())].delay = delay;
    emit dataChanged(index, index);
    emit delayEdited();
    return true;
}

Qt::ItemFlags MacroActionModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) | Qt::ItemIsEditable;
}

void MacroActionModel::setEvents(std::vector<MacroEvent> events) {
    beginResetModel();
    m_events = std::move(events);
    endResetModel();
}

void MacroActionModel::insert(int row, const MacroEvent& e) {
    row = std::clamp(row, 0, int(m_events.size()));
    beginInsertRows({}, row, row);
    m_events.insert(m_events.begin() + row, e);
    endInsertRows();
}

void MacroActionModel::replace(int row, const MacroEvent& e) {
    if (row < 0 || size_t(row) >= m_events.size()) return;
    m_events[size_t(row)] = e;
    emit dataChanged(index(row), index(row));
}

void MacroActionModel::remove(int row) {
    if (row < 0 || size_t(row) >= m_events.size()) return;
    beginRemoveRows({}, row, row);
    m_events.erase(m_events.begin() + row);
    endRemoveRows();
}

void MacroActionModel::move(int from, int to) {
    const int n = int(m_events.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
    // Qt's destination is the row before which the moved row lands.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    const MacroEvent e = m_events[size_t(from)];
    m_events.erase(m_events.begin() + from);
    m_events.insert(m_events.begin() + to, e);
    endMoveRows();
}

void MacroActionModel::assign(const std::vector<MacroEvent>& events) {
    // The recorder adds, inserts or replaces one row: tell the view only that much.
    if (events.size() == m_events.size() + 1) {
        // The first row that is another action (delays aside: the row before an insert takes
        // the pause up to it).
        const auto same = [](const MacroEvent& a, const MacroEvent& b) {
            return a.type == b.type && a.button == b.button && a.down == b.down;
        };
        size_t at = 0;
        while (at < m_events.size() && same(m_events[at], events[at])) ++at;
        beginInsertRows({}, int(at), int(at));
        m_events = events;
        endInsertRows();
        if (at > 0) emit dataChanged(index(int(at) - 1), index(int(at) - 1));
        return;
    }
    if (events.size() == m_events.size()) {
        m_events = events;
        if (!m_events.empty()) emit dataChanged(index(0), index(int(m_events.size()) - 1));
        return;
    }
    setEvents(events);
}

}  // namespace md
