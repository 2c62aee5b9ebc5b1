#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "lab/lab_csv.hpp"
#include "lab/runner.hpp"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace quorvel {

class BackgroundTask;
class BankrollChart;
class FiguresPanel;
class LabSettingsForm;
struct Game;

// Backtests from the window: spin files or random spins, played with settings
// that start as the table's, one configuration ("Run") or the grid of 150
// ("Run all"), off the interface thread. The runs are listed in a sortable
// table; the chosen one shows its figures and its bankroll chart.
class BacktestTab : public QWidget {
    Q_OBJECT

public:
    // Returns the file the player chose, or an empty string.
    using FileChooser = std::function<QString(const QString& title, const QString& suggested)>;
    using ErrorReporter = std::function<void(const QString& message)>;

    explicit BacktestTab(QWidget* parent = nullptr);
    ~BacktestTab() override;

    // The settings of the table window, as the form's starting point.
    void take_settings_of(const Game& game);
    void add_files(const QStringList& files);

    // Dialogs by default; tests replace them.
    void set_file_chooser(FileChooser chooser);
    void set_error_reporter(ErrorReporter reporter);

    bool running() const { return task_ != nullptr; }

signals:
    // A run, the grid, a chart or an export ended (done, refused or cancelled).
    void workFinished();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The spins one run plays: a file or the random draw.
    struct Input {
        std::string name;
        std::vector<std::uint8_t> spins;
    };
    struct Outcome;

    QWidget* create_input();
    QWidget* create_results();
    void run(bool whole_grid);
    void run_finished(const std::shared_ptr<Outcome>& outcome);
    void show_run(int report);
    void chart_run(int report);
    void export_ledger();
    void export_grid();
    void start(std::function<void(const std::atomic<bool>&,
                                  const std::function<void(std::size_t, std::size_t)>&)>
                   work,
               std::function<void()> done, const QString& status);
    void set_busy(bool busy);
    void report(const QString& message);
    QString choose_file(const QString& title, const QString& suggested);
    bool save(const QString& file_name, const std::function<void(std::ostream&)>& write);

    QRadioButton* from_files_;
    QRadioButton* from_random_;
    QListWidget* files_;
    QPushButton* add_;
    QPushButton* remove_;
    QSpinBox* random_count_;
    QSpinBox* random_seed_;
    LabSettingsForm* settings_;
    QPushButton* from_table_;
    QPushButton* run_;
    QPushButton* run_all_;
    QPushButton* cancel_;
    QPushButton* export_;
    QProgressBar* progress_;
    QLabel* status_;
    FiguresPanel* figures_;
    BankrollChart* chart_;
    QTableWidget* runs_;

    FileChooser choose_file_;
    ErrorReporter report_error_;
    QString folder_;
    const Game* table_game_ = nullptr;

    BackgroundTask* task_ = nullptr;
    bool task_is_chart_ = false;
    std::vector<Input> inputs_;
    std::vector<RunReport> reports_;
    std::vector<std::size_t> report_input_;  // the input each report played
    // The run whose chart and figures are shown, with its series when kept.
    int shown_ = -1;
    QString results_status_;
    std::vector<std::int64_t> shown_series_;
};

}  // namespace quorvel
