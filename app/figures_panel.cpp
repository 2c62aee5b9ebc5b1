#include "app/figures_panel.hpp"

#include <QGridLayout>
#include <QLabel>

#include "lab/lab_csv.hpp"
#include "lab/run_figures.hpp"
#include "lab/session_log.hpp"

namespace quorvel {

namespace {

// "max_drawdown" reads "Max drawdown".
QString title_of(const std::string& name) {
    QString title = QString::fromStdString(name);
    title.replace(QLatin1Char('_'), QLatin1Char(' '));
    if (!title.isEmpty()) title[0] = title[0].toUpper();
    return title;
}

}  // namespace

FiguresPanel::FiguresPanel(const std::vector<std::string>& shown, int columns, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("FiguresPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    const int rows = (static_cast<int>(shown.size()) + columns - 1) / columns;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int row = static_cast<int>(i) % rows;
        const int column = 2 * (static_cast<int>(i) / rows);
        auto* name = new QLabel(title_of(shown[i]), this);
        name->setProperty("heading", true);
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("Figure_") + QString::fromStdString(shown[i]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(64);
        grid->addWidget(name, row, column);
        grid->addWidget(value, row, column + 1);
        values_[shown[i]] = value;
    }
    for (int column = 0; column < 2 * columns; column += 2)
        grid->setColumnStretch(column + 1, 1);
    clear();
}

void FiguresPanel::set_figures(const RunFigures& figures) {
    std::map<std::string, std::string> texts;
    for (const auto& [name, text] : figure_texts(figures))
        texts.emplace(name, text);
    texts.emplace("net", std::to_string(net_of(figures)));
    // Units and hundredths are all a player reads of an average.
    texts["expected_loss"] = QString::number(figures.expected_loss, 'f', 2).toStdString();
    for (auto& [name, label] : values_) {
        const QString text = QString::fromStdString(texts[name]);
        if (label->text() != text) label->setText(text);
    }
}

void FiguresPanel::clear() {
    for (auto& entry : values_)
        entry.second->setText(QStringLiteral("–"));
}

}  // namespace quorvel
