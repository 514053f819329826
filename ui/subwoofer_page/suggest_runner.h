// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The suggested filter, searched on a thread of its own so that the window
// goes on taking keys and paints while it searches (some tens of ms; built with
// the parts chosen and held at their tolerance corners, some hundreds).

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

#include "vandrel/speaker/suggest.h"

class QThread;

namespace vandrel::ui {

class SuggestRunner final : public QObject {
    Q_OBJECT
public:
    explicit SuggestRunner(QObject* parent = nullptr);
    /// Waits for a search still running: its answer is no longer wanted.
    ~SuggestRunner() override;

    /// Starts a search for `inputs`, its designs built as `build` says
    /// (none: exact resistors). An answer to an earlier search that comes
    /// after this is dropped.
    void start(const speaker::Inputs& inputs, const std::optional<speaker::Build>& build);
    /// Drops the answer of the search running, if any.
    void forget();
    /// Whether an answer is awaited.
    bool searching() const { return wanted_ != 0 && wanted_ == started_; }

signals:
    /// The answer to the last search started.
    void found(const speaker::Suggestion& suggestion);
    /// The last search could not be made; `why` for people.
    void failed(const QString& why);

private:
    struct Answer {
        std::optional<speaker::Suggestion> suggestion;
        QString failure;
    };
    void finished(QThread* thread, int search, const std::shared_ptr<Answer>& answer);

    int started_ = 0;  // the number of the last search started
    int wanted_ = 0;   // the search whose answer is wanted; 0 for none
    std::vector<QThread*> running_;
};

}  // namespace vandrel::ui
