// SPDX-License-Identifier: GPL-3.0-or-later
// The results window: the system summary on the left, the results of the
// full (and reduced) arcing current on the right. It computes nothing: the
// calculation paths hand it ready texts, and the report and the label read
// its labels back.
#pragma once

#include <QString>
#include <QWidget>

#include "engine/empirical.h"
#include "engine/breaker.h"
#include "engine/fuse_equations.h"
#include "label/point_label.h"

class QFrame;
class QLabel;
class QPushButton;

namespace zentavo::ui {

class Application;

// Texts of the system summary as the input windows show them.
struct EmpiricalSummary {
    QString equipment, gap, grounding, workDist, arcTime, arcTimeReduced, boltedCurrent,
        arcCurrent, voltage;
};
struct SingleCaseSummary {
    QString basedOn, equipment, gap, workDist, boltedCurrent, voltage;
};

class TThird : public QWidget {
    Q_OBJECT
public:
    explicit TThird(Application& app);

    // Shows the window and fills it for each method.
    // The window keeps the result as numbers for its label.
    void ShowEmpiricalResults(const EmpiricalOutcome& out, const EmpiricalSummary& s,
                              bool showPressure, bool showTnt);
    void ShowFuseResults(const FuseOutcome& out, const SingleCaseSummary& s, bool showPressure);
    void ShowBreakerResults(const BreakerOutcome& out, const SingleCaseSummary& s, bool showPressure);

    void FormShow();
    void Button1Click();  // "Back"
    void Button2Click();  // "Create label"
    void Button3Click();  // "Save results"
    void BitBtn1Click();  // exit

    // The caption of the method explanation panel.
    QString SummaryCaption() const;
    QLabel* L(const char* name) const;  // a label of the window by its name

    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetSingleCaseLayout(bool fuse, const SingleCaseResultTexts& t, const SingleCaseSummary& s,
                             bool showPressure);
    // A fuse or breaker result: kept for the label and the report, then shown.
    void ShowSingleCase(Method method, const CaseResult& result, const ApproachDistances& approach,
                        const SingleCaseResultTexts& t, const SingleCaseSummary& s, bool showPressure);
    // The result shown, as its label takes it, with the inputs it shows.
    void KeepForLabel(Method method, const QString& equipment, const QString& grounding,
                      const QString& boltedCurrent, const QString& voltage);
    void SetClothing(const CaseTexts& c, QLabel* first, QLabel* second);
    void MarkGoverningCase(bool reducedGoverns);

    Application& app_;
    QString lastReportName_;  // offered again by the next "Save results"
    // The result shown: as numbers for its label, as texts for its report,
    // with the units and decimal separator it was shown in.
    LabelPoint shown_;
    EmpiricalResultTexts empiricalTexts_;
    SingleCaseResultTexts singleTexts_;
    UnitSettings shownUnits_;
    char shownSep_ = '.';
    QFrame* Summary;
    QLabel* SummaryCaption_;
    QFrame* Panel1;
    QFrame* Panel2;
    QFrame* Panel3;
    QFrame* Panel6;
    QFrame* Panel7;
    QWidget* Panel4;
    QWidget* Panel5;
};

}  // namespace zentavo::ui
