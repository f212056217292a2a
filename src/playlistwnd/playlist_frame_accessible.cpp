// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/playlist_frame_accessible.h"

#include "settings/localized_strings.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "skin/playlist_control_ids.h"
#include "playlistwnd/playlist_frame.h"
#include "playlistwnd/playlist_row_painter.h"
#include "platform/skinned_accessible.h"

namespace {

constexpr int kButtons[] = {
    PC_CLOSE, PC_MAXIMIZE, PC_ADDFILES,   PC_ADDFOLDER, PC_REMOVE, PC_CLEAR,    PC_SORT,
    PC_SAVE,  PC_LOAD,     PC_REPEATLIST, PC_NAMEMODE,  PC_MOVEUP, PC_MOVEDOWN,
};

class CPlaylistButtons final : public CSkinnedControls {
public:
    explicit CPlaylistButtons(CPlaylistFrame& frame) : m_frame(frame) {}

    QList<int> AccessibleControls() const override
    {
        QList<int> ids;
        for (int id : kButtons) {
            if (!m_frame.ControlRect(id).isEmpty())
                ids << id;
        }
        return ids;
    }
    QRect AccessibleRect(int id) const override { return m_frame.ControlRect(id); }
    QAccessible::Role AccessibleRole(int) const override { return QAccessible::PushButton; }
    QString AccessibleName(int id) const override { return LoadLocalizedString(PlaylistToolTipStringId(id)); }
    int PressedControl() const override { return m_frame.PressedControl(); }
    bool IsToggle(int id) const override { return id == PC_REPEATLIST || id == PC_NAMEMODE; }
    bool IsOn(int id) const override
    {
        return id == PC_REPEATLIST ? m_frame.Settings().PlaylistRepeat != 0 : m_frame.Settings().ShowFP != 0;
    }
    void PressControl(int id) override { m_frame.PressControl(id); }

private:
    CPlaylistFrame& m_frame;
};

class CPlaylistListAccessible;

// One playlist row: its numbered name and duration, selected and current.
class CPlaylistRowAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CPlaylistRowAccessible(const CPlaylistListAccessible& list, int row) : m_list(list), m_nRow(row) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const CPlaylistListAccessible& m_list;
    int m_nRow;
};

// The list area: one item per playlist row.
class CPlaylistListAccessible final : public QAccessibleInterface {
public:
    CPlaylistListAccessible(QAccessibleInterface& window, CPlaylistFrame& frame) : m_window(window), m_frame(frame)
    {
    }
    ~CPlaylistListAccessible() override
    {
        for (const auto& [row, id] : m_rows)
            QAccessible::deleteAccessibleInterface(id);
    }

    CPlaylistFrame& Frame() const { return m_frame; }

    bool isValid() const override { return m_window.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window.window(); }
    QAccessibleInterface* parent() const override { return &m_window; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint local = m_frame.mapFromGlobal(QPoint(x, y));
        const int row = CPlaylistRowPainter::RowAt(m_frame.ListArea(), m_frame.Playlist(), local);
        return row < 0 ? nullptr : child(row);
    }
    QAccessibleInterface* child(int index) const override
    {
        if (!m_frame.Playlist().IsValidIndex(index))
            return nullptr;
        auto it = m_rows.find(index);
        if (it == m_rows.end())
            it = m_rows
                     .emplace(index,
                              QAccessible::registerAccessibleInterface(new CPlaylistRowAccessible(*this, index)))
                     .first;
        return QAccessible::accessibleInterface(it->second);
    }
    int childCount() const override { return m_frame.Playlist().GetCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const auto& [row, id] : m_rows) {
            if (QAccessible::accessibleInterface(id) == child)
                return m_frame.Playlist().IsValidIndex(row) ? row : -1;
        }
        return -1;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_frame.Playlist().m_strStatus : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QRect local = m_frame.ListArea();
        return QRect(m_frame.mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_frame.isVisible();
        state.readOnly = true;
        return state;
    }

private:
    QAccessibleInterface& m_window;
    CPlaylistFrame& m_frame;
    mutable std::map<int, QAccessible::Id> m_rows;
};

bool CPlaylistRowAccessible::isValid() const
{
    return m_list.isValid() && m_list.Frame().Playlist().IsValidIndex(m_nRow);
}

QWindow* CPlaylistRowAccessible::window() const { return m_list.window(); }

QAccessibleInterface* CPlaylistRowAccessible::parent() const
{
    return const_cast<CPlaylistListAccessible*>(&m_list);
}

QString CPlaylistRowAccessible::text(QAccessible::Text t) const
{
    const CPlaylist& playlist = m_list.Frame().Playlist();
    if (t != QAccessible::Name || !playlist.IsValidIndex(m_nRow))
        return {};
    const CPlaylistRow& row = playlist.GetRow(m_nRow);
    const bool showFileName = m_list.Frame().Settings().ShowFP != 0;
    const QString name = CPlaylistRowPainter::NumberedName(m_nRow, playlist.GetCount(),
                                                           showFileName ? row.m_strFileName : row.m_strPath);
    return name.simplified() + u' ' + row.m_strDuration;
}

QRect CPlaylistRowAccessible::rect() const
{
    CPlaylistFrame& frame = m_list.Frame();
    const CPlaylist& playlist = frame.Playlist();
    const QRect list = frame.ListArea();
    const int drawn = m_nRow - playlist.m_nTop;
    if (drawn < 0 || drawn >= CPlaylistRowPainter::DrawnRows(list, playlist.GetCount(), playlist.m_nTop))
        return {};
    const QRect band = CPlaylistRowPainter::RowBand(list, drawn);
    return QRect(frame.mapToGlobal(band.topLeft()), band.size());
}

QAccessible::State CPlaylistRowAccessible::state() const
{
    const CPlaylist& playlist = m_list.Frame().Playlist();
    QAccessible::State state;
    state.selectable = true;
    state.selected = playlist.m_nSelected == m_nRow;
    state.focused = state.selected;
    // The row the engine plays.
    state.active = playlist.GetCurrent() == m_nRow;
    state.invisible = rect().isEmpty();
    state.offscreen = state.invisible;
    return state;
}

void CPlaylistRowAccessible::doAction(const QString& name)
{
    if (name == pressAction())
        m_list.Frame().ActivateRow(m_nRow);
}

class CPlaylistFrameAccessible final : public CSkinnedWindowAccessible {
public:
    explicit CPlaylistFrameAccessible(CPlaylistFrame* frame)
        : CSkinnedWindowAccessible(frame, m_buttons),
          m_buttons(*frame),
          m_listId(QAccessible::registerAccessibleInterface(new CPlaylistListAccessible(*this, *frame)))
    {
    }
    ~CPlaylistFrameAccessible() override { QAccessible::deleteAccessibleInterface(m_listId); }

    QAccessibleInterface* List() const { return QAccessible::accessibleInterface(m_listId); }

protected:
    int ExtraChildCount() const override { return 1; }
    QAccessibleInterface* ExtraChild(int index) const override { return index == 0 ? List() : nullptr; }

private:
    CPlaylistButtons m_buttons;
    QAccessible::Id m_listId;
};

}  // namespace

QAccessibleInterface* PlaylistFrameAccessibleFactory(const QString& /*className*/, QObject* object)
{
    if (auto* frame = qobject_cast<CPlaylistFrame*>(object))
        return new CPlaylistFrameAccessible(frame);
    return nullptr;
}

void NotifyPlaylistRowsChanged(QWidget* window)
{
    if (!QAccessible::isActive())
        return;
    auto* frame = dynamic_cast<CPlaylistFrameAccessible*>(QAccessible::queryAccessibleInterface(window));
    if (!frame)
        return;
    const CPlaylist& playlist = static_cast<CPlaylistFrame*>(window)->Playlist();
    QAccessibleInterface* list = frame->List();
    QAccessibleInterface* selected = playlist.IsValidIndex(playlist.m_nSelected)
                                         ? list->child(playlist.m_nSelected)
                                         : list;
    QAccessibleEvent event(selected, QAccessible::Selection);
    QAccessible::updateAccessibility(&event);
}
