// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest_runner.h"

#include <QThread>

#include <algorithm>
#include <stdexcept>

namespace vandrel::ui {

SuggestRunner::SuggestRunner(QObject* parent) : QObject(parent) {}

SuggestRunner::~SuggestRunner() {
    for (QThread* thread : running_) {
        thread->wait();
        delete thread;
    }
}

void SuggestRunner::start(const speaker::Inputs& inputs, const std::optional<speaker::Build>& build) {
    const int search = ++started_;
    wanted_ = search;
    auto answer = std::make_shared<Answer>();
    QThread* thread = QThread::create([inputs, build, answer] {
        try {
            answer->suggestion = build ? speaker::suggest(inputs, *build) : speaker::suggest(inputs);
        } catch (const std::exception& e) {
            answer->failure = QString::fromUtf8(e.what());
        }
    });
    running_.push_back(thread);
    // Answered here, on the window's thread, once the search is done.
    connect(thread, &QThread::finished, this, [this, thread, search, answer] { finished(thread, search, answer); });
    thread->start();
}

void SuggestRunner::forget() { wanted_ = 0; }

void SuggestRunner::finished(QThread* thread, int search, const std::shared_ptr<Answer>& answer) {
    running_.erase(std::remove(running_.begin(), running_.end(), thread), running_.end());
    thread->deleteLater();
    if (search != wanted_) return;
    wanted_ = 0;
    if (answer->suggestion)
        emit found(*answer->suggestion);
    else
        emit failed(answer->failure);
}

}  // namespace vandrel::ui
