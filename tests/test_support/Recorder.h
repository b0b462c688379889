// Plays the user in window tests: answers questions, records the messages shown
// and runs a script inside each modal window instead of its event loop.
#pragma once

#include "common/UMessages.h"

#include <QDialog>
#include <QList>

#include <deque>
#include <functional>

struct Recorder {
    Recorder() {
        UComon::Set_Message_Handler([this](const UComon::Shown_Message& m) {
            messages.append(m);
            if (answers.empty())
                return default_answer;
            const bool a = answers.front();
            answers.pop_front();
            return a;
        });
        UComon::Set_Modal_Handler([this](QDialog* d) {
            opened.append(d->objectName());
            if (scripts.empty())
                return int(QDialog::Rejected);
            auto s = std::move(scripts.front());
            scripts.pop_front();
            return s(d);
        });
        UComon::Set_Url_Handler([this](const QUrl& u) { urls.append(u); });
    }
    ~Recorder() {
        UComon::Set_Message_Handler({});
        UComon::Set_Modal_Handler({});
        UComon::Set_Url_Handler({});
    }
    // Lines of the messages shown, in order.
    QList<int> lines() const {
        QList<int> l;
        for (const auto& m : messages)
            l.append(m.line);
        return l;
    }
    // Queues what the user does in the next modal window; returns the dialog result.
    void next_modal(std::function<int(QDialog*)> script) { scripts.push_back(std::move(script)); }

    QList<UComon::Shown_Message> messages;
    std::deque<bool> answers;
    bool default_answer = false;
    QList<QString> opened;
    QList<QUrl> urls;
    std::deque<std::function<int(QDialog*)>> scripts;
};
