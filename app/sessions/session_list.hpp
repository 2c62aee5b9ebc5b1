// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QDateTime>
#include <QDialog>
#include <QString>

#include "app/sessions/session_store.hpp"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quorvel {

// What the list of kept sessions shows of one: read back from its journal.
struct SessionSummary {
    QString path;
    QDateTime start;
    qint64 spins = 0;
    QString mode;
    std::int64_t bankroll_at_start = 0;
    std::int64_t bankroll_at_end = 0;
    // Ended cleanly, or not; nothing for a file the store did not put away.
    std::optional<bool> clean;
    // Why the file could not be read back; the figures above are then empty.
    QString error;
};

SessionSummary summarise_session(const SessionStore::KeptFile& file);

// "Sessions…": the sessions in the state folder, newest first, with their
// start, spins, mode, the bankroll at the start and at the end, and whether
// they ended cleanly. "Open" plays one on from its end, "Show file" shows
// where it lies.
class SessionsDialog : public QDialog {
    Q_OBJECT

public:
    SessionsDialog(const std::vector<SessionSummary>& sessions, const QString& folder,
                   QWidget* parent = nullptr);

    // The chosen session's file, or empty.
    QString chosen() const;

signals:
    void openRequested(const QString& path);
    void revealRequested(const QString& path);

private:
    void update_buttons();

    QTreeWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* reveal_ = nullptr;
};

}  // namespace quorvel
