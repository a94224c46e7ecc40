// SPDX-License-Identifier: GPL-3.0-or-later
// The progress of a study computed again (an edit of a network study, new
// options, Compute again): a dialog that comes when the work has lasted a
// moment, and whose Stop ends it. The rows it did not reach are left
// uncomputed by the study, never showing results of other inputs.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <cstddef>
#include <memory>

namespace zentavo::ui {

class ComputeProgress : public QObject {
    Q_OBJECT
public:
    // `parent`: the window the dialog stands over.
    explicit ComputeProgress(QWidget* parent);
    ~ComputeProgress() override;

    // The study's progress (StudyComputeProgress): rows done of all; false
    // once Stop was pressed. The work starts at its first call and ends at
    // done == all.
    bool Tell(std::size_t done, std::size_t all);

    // How long the work goes on before the dialog comes, and how often it is
    // then drawn, in milliseconds (a test shows it at once and at every row).
    void SetPace(qint64 showAfter, qint64 every) {
        showAfter_ = showAfter;
        every_ = every;
    }

signals:
    // A computation was stopped with `left` rows not reached.
    void stopped(std::size_t left);

private:
    QWidget* parent_;
    QElapsedTimer clock_;
    qint64 showAfter_ = 400, every_ = 50;
    qint64 lastShown_ = -1;
    bool running_ = false;
    std::size_t stoppedLeft_ = 0;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace zentavo::ui
