#pragma once

#include <QEvent>
#include <QString>
#include <QWidget>

#include <cstdint>

struct CPlayerContext;

// Posted to the main window to open the path waiting in the engine's path
// buffer.
inline const QEvent::Type WM_OPEN_PENDING = QEvent::Type(QEvent::User + 4);

// The skinned main window: a frameless top-level window drawn by the skin,
// with the video inside it, and the owner of the player's commands.
class CMainFrame : public QWidget {
    Q_OBJECT
public:
    explicit CMainFrame(CPlayerContext& context);
    ~CMainFrame() override;

    // The second-start protocol: the answer to the query and the three
    // copy-data requests (open a file, close, activate).
    std::uint32_t OnInstanceQuery() const;
    void OnCopyData(std::uint32_t code, const QString& path);

    // Stores the state that outlives the run, then destroys the windows,
    // which ends the program.
    void ExitAction();
    void StoreWindowPlacement();

signals:
    // The main window is gone: the program ends.
    void windowDestroyed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnOpenPending();
    void DestroyWindow();

    CPlayerContext& m_context;
    QString m_strOpenPath;
    bool m_bDestroyed = false;
};
