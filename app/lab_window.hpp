#pragma once

#include <QWidget>

class QTabWidget;

namespace quorvel {

class BacktestTab;
class SessionTab;
class TForm1;

// "Quorvel Lab": an ordinary window beside the table. Its Session tab follows
// the live game spin by spin; its Backtest tab plays spin files with settings
// of its own.
class LabWindow : public QWidget {
    Q_OBJECT

public:
    explicit LabWindow(const TForm1& table, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    SessionTab* session_tab() const { return session_; }
    BacktestTab* backtest_tab() const { return backtest_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void session_changed();

    const TForm1& table_;
    QTabWidget* tabs_;
    SessionTab* session_;
    BacktestTab* backtest_;
    // The Session tab is brought up to date only while it can be seen; a
    // change while it is hidden waits for the next show.
    bool session_stale_ = true;
};

}  // namespace quorvel
