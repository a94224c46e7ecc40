// SPDX-License-Identifier: GPL-3.0-or-later
// What a study window writes besides its study: the results as the batch
// calculator writes them, the labels and the report as PDFs, the printed
// report; and the named fuse curves it loads. A part of TStudy.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <stdexcept>

#include "engine/number.h"
#include "io/file_io.h"
#include "oneline/diagram.h"
#include "study/device_curves.h"
#include "study/run.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/label_type.h"
#include "ui/open_files.h"
#include "ui/study_window.h"
#include "ui/widgets.h"

namespace zentavo::ui {

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

FileChoice Choice(const QString& title, const QString& filter, const QString& suffix, const QString& initial) {
    FileChoice choice;
    choice.title = title;
    choice.filter = filter;
    choice.defaultSuffix = suffix;
    choice.initialName = initial;
    return choice;
}

FileChoice PdfChoice(const QString& title, const QString& initial) {
    return Choice(title, TStudy::tr("PDF files (*.pdf)"), QStringLiteral("pdf"), initial);
}

// The points of the study for its PDFs, one at a time: each of the chosen
// rows with its result as the study computed it, and its inputs with the
// user's decimal separator, so that its label reads as the single label of
// the same point (the label writes the results with that separator too).
class StudyPoints {
public:
    StudyPoints(const StudyFile& file, char sep, std::vector<int> rows)
        : file_(file), sep_(sep), rows_(std::move(rows)) {}
    render::StudyPointView operator()(std::size_t index) { return Row(static_cast<std::size_t>(rows_.at(index))); }
    // The point of the study's row `row`.
    render::StudyPointView Row(std::size_t row) {
        fields_ = file_.Fields(row);
        const int pointAt = file_.PointColumn();
        name_ = pointAt >= 0 && static_cast<std::size_t>(pointAt) < fields_.size() ? fields_[static_cast<std::size_t>(pointAt)] : std::string();
        render::StudyPointView v;
        v.name = name_;
        for (int c = 0; c < kStudyInputColumnCount; ++c) {
            const int at = file_.Columns()[static_cast<std::size_t>(c)];
            std::string& text = texts_[static_cast<std::size_t>(c)];
            text = at >= 0 && static_cast<std::size_t>(at) < fields_.size() ? fields_[static_cast<std::size_t>(at)] : std::string();
            // Numbers of the file are written with a point; a text that is
            // no number is refused by the row as it stands.
            if (sep_ != '.' && StudyColumnWords(static_cast<StudyInputColumn>(c)).empty() && ReadNumber(text, '.')) {
                std::replace(text.begin(), text.end(), '.', sep_);
            }
            v.inputs[static_cast<std::size_t>(c)] = text;
        }
        v.result = &file_.Result(row);
        return v;
    }
    // The study's row of the point `index`.
    std::size_t FileRow(std::size_t index) const { return static_cast<std::size_t>(rows_.at(index)); }
    std::size_t size() const { return rows_.size(); }
    char sep() const { return sep_; }

private:
    const StudyFile& file_;
    char sep_;
    std::vector<int> rows_;
    std::vector<std::string> fields_;
    std::string name_;
    std::array<std::string, kStudyInputColumnCount> texts_;
};

}  // namespace

void TStudy::LoadCurvesClick() {
    const QString path = app_.dialogs().OpenFileName(
        this, Choice(tr("Load device curves"), tr("device curves (*.csv)"), QStringLiteral("csv"), QString()));
    if (path.isEmpty()) return;
    const std::string text = ReadFile(QFile::encodeName(path).toStdString());
    Built<CurveSet> read = ReadDeviceCurves(text);
    if (!read.device) {
        app_.dialogs().Warning(this, FromUtf8(read.refusal->message));
        return;
    }
    // Every row computed again: a fuse_curve cell that names a curve finds it now.
    model_->SetCurves(std::make_shared<const CurveSet>(std::move(*read.device)));
}

void TStudy::ExportClick() {
    const QString chosen = app_.dialogs().SaveFileName(
        this, Choice(tr("Export results to"), tr("CSV files (*.csv)"), QStringLiteral("csv"),
                     ExportName(QStringLiteral("-results.csv"))));
    if (chosen.isEmpty() || !MayWriteOver(app_, this, chosen)) return;
    StudyOptions options = model_->file().Options();
    options.sep = '.';
    std::string out;
    // A study without a header row raises StudyReadError, which the
    // application's guard shows.
    RunStudy(model_->file().Bytes(), options, [&](std::string_view s) { out += s; });
    WriteFileAtomically(LocalPath(chosen), out);
}

std::optional<std::vector<int>> TStudy::ChooseRows(bool report) {
    StudyExportChoice choice;
    choice.report = report;
    choice.allRows = model_->rowCount();
    const std::vector<int> selected = SelectedRows();
    choice.selectedRows = static_cast<int>(selected.size());
    // Without a text to look for, the filter shows the whole study.
    choice.filteredRows = FilterEdit->text().isEmpty() ? 0 : proxy_->rowCount();
    choice.project = reportProject_;
    choice.client = reportClient_;
    choice.author = reportAuthor_;
    choice.engineer = engineer_;
    choice.standard = labelStandard_;
    choice.size = labelSize_;
    choice.language = labelLanguage_;
    choice.dangerAbove600 = dangerAbove600_;
    choice.assessmentDate = assessmentDate_;
    if (!app_.dialogs().StudyExportSetup(this, choice)) return std::nullopt;
    if (report) {
        reportProject_ = choice.project;
        reportClient_ = choice.client;
        reportAuthor_ = choice.author;
        engineer_ = choice.engineer;
    } else {
        labelSize_ = choice.size;
        labelLanguage_ = choice.language;
        dangerAbove600_ = choice.dangerAbove600;
    }
    labelStandard_ = choice.standard;
    assessmentDate_ = choice.assessmentDate;
    std::vector<int> rows;
    switch (choice.rows) {
        case StudyRows::Selected:
            return selected;
        case StudyRows::Filtered:
            for (int r = 0; r < proxy_->rowCount(); ++r) rows.push_back(proxy_->mapToSource(proxy_->index(r, 0)).row());
            std::sort(rows.begin(), rows.end());
            return rows;
        case StudyRows::All:
            break;
    }
    rows.resize(static_cast<std::size_t>(model_->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

QString TStudy::ExportName(const QString& suffix) const {
    if (path_.isEmpty()) return {};
    const QFileInfo info(path_);
    return info.dir().filePath(info.completeBaseName() + suffix);
}

// A progress dialog over an export: shown at once, Cancel stops it.
bool TStudy::RunWithProgress(const QString& text, std::size_t total,
                             const std::function<render::StudyExportResult(const render::StudyProgress&)>& run,
                             render::StudyExportResult& result) {
    QProgressDialog progress(text, tr("Cancel"), 0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)), this);
    progress.setObjectName("StudyProgress");
    progress.setWindowTitle(QStringLiteral("Zentavo"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    result = run([&](std::size_t done, std::size_t all) {
        progress.setMaximum(static_cast<int>(std::min<std::size_t>(all, INT_MAX)));
        progress.setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    return result.outcome == render::StudyExportResult::kWritten;
}

void TStudy::LabelsClick() {
    const int computed = model_->ComputedRows();
    if (computed == 0) {
        app_.dialogs().Warning(this, tr("No point of the study is computed: there are no labels to write."));
        return;
    }
    const std::optional<std::vector<int>> rows = ChooseRows(false);
    if (!rows) return;
    const QString chosen = app_.dialogs().SaveFileName(
        this, PdfChoice(tr("Save labels as"), ExportName(QStringLiteral("-labels.pdf"))));
    if (chosen.isEmpty() || !MayWriteOver(app_, this, chosen)) return;
    // The labels' words in their language, their numbers as that language
    // writes them on this desktop (the inputs shown on them too).
    const char sep = LabelDecimalSeparator(labelLanguage_);
    StudyPoints points(model_->file(), sep, *rows);
    render::StudyLabelOptions options;
    options.settings = app_.FormLabelType().Settings();
    options.settings.LabelLanguage = labelLanguage_;
    const QDate today = QDate::currentDate();
    options.date = {today.day(), today.month(), today.year()};
    options.standard.standard = labelStandard_;
    options.standard.size = labelSize_;
    if (dangerAbove600_) options.standard.dangerAboveVolts = 600;
    options.standard.assessmentDate = {assessmentDate_.day(), assessmentDate_.month(), assessmentDate_.year()};
    options.units = model_->file().Options().units;
    options.sep = points.sep();
    // The other points of the main sections, viewed apart from the point labelled.
    StudyPoints others(model_->file(), sep, {});
    options.sectionOther = [&points, &others, &file = model_->file()](std::size_t i) {
        const std::optional<std::size_t> other = file.SectionOf(points.FileRow(i));
        return other ? others.Row(*other) : render::StudyPointView{};
    };
    render::CutNames cut;
    render::StudyExportResult result;
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    RunWithProgress(tr("Writing the labels of %1 points…").arg(points.size()), points.size(),
                    [&](const render::StudyProgress& progress) {
                        return render::SaveStudyLabelsPdf(chosen, points.size(), at, options, progress, &cut);
                    },
                    result);
    ReportExport(result, chosen);
    if (result.outcome == render::StudyExportResult::kWritten && !cut.empty()) {
        // One name a line: the box shows the first of a long list and how many more.
        QString names;
        for (const std::string& n : cut.listed) names += QStringLiteral("\n") + FromUtf8(OneLineName(n));
        if (cut.more > 0) names += tr("\nand %n more label(s) with a cut name", nullptr, static_cast<int>(cut.more));
        app_.dialogs().Information(
            this, labelStandard_ == LabelStandard::Classic
                      ? tr("These equipment names are longer than 30 characters; their labels show the first 30:%1")
                            .arg(names)
                      : tr("These equipment names do not fit on two lines; their labels end them with “…”:%1")
                            .arg(names));
    }
}

void TStudy::ReportExport(const render::StudyExportResult& result, const QString& path) {
    switch (result.outcome) {
        case render::StudyExportResult::kWritten:
        case render::StudyExportResult::kCancelled:
            return;  // a cancelled export has left no file
        case render::StudyExportResult::kNothingToWrite:
            app_.dialogs().Warning(this, tr("None of the chosen points is computed: there are no labels to write."));
            return;
        case render::StudyExportResult::kFailed:
            throw std::runtime_error(Utf8(tr("Cannot write %1: %2").arg(QFileInfo(path).fileName(), result.error)));
    }
}

render::StudyReportOptions TStudy::ReportOptions() const {
    render::StudyReportOptions options;
    // The title the batch calculator gives the same file.
    options.title = render::StudyReportTitle(path_);
    options.dateText = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
    options.assessmentDate = FromUtf8(
        DateInWords({assessmentDate_.day(), assessmentDate_.month(), assessmentDate_.year()}, kEnglish));
    options.project = reportProject_;
    options.client = reportClient_;
    options.author = reportAuthor_;
    options.engineer = engineer_;
    options.pageSize = render::DefaultReportPageSize();
    options.units = model_->file().Options().units;
    options.sep = app_.Sep();
    options.standard = labelStandard_;
    if (const StudyNetwork* network = model_->file().Network()) {
        const std::vector<std::string> names = model_->file().ScenarioNames();
        options.network = std::make_shared<const NetworkSummary>(
            SummarizeNetwork(*network, names.empty() ? std::string() : names.front()));
    }
    options.shortCircuit = model_->file().Options().ShortCircuit();
    options.arcSteps = model_->file().Options().arcSteps;
    options.motorDecay = model_->file().Options().motorDecay;
    options.arcCurrentRange = model_->file().Options().arcCurrentRange;
    options.oneLine = std::make_shared<const oneline::Diagram>(oneline::StudyDiagram(model_->file()));
    return options;
}

void TStudy::ReportClick() {
    const std::optional<std::vector<int>> rows = ChooseRows(true);
    if (!rows) return;
    const QString chosen = app_.dialogs().SaveFileName(
        this, PdfChoice(tr("Save report as"), ExportName(QStringLiteral("-report.pdf"))));
    if (chosen.isEmpty() || !MayWriteOver(app_, this, chosen)) return;
    StudyPoints points(model_->file(), app_.Sep(), *rows);
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    const render::StudyReportOptions options = ReportOptions();
    render::StudyExportResult result;
    RunWithProgress(tr("Writing the report of %1 points…").arg(points.size()), points.size() * 2,
                    [&](const render::StudyProgress& progress) {
                        return render::SaveStudyReportPdf(chosen, points.size(), at, options, progress);
                    },
                    result);
    ReportExport(result, chosen);
}

void TStudy::PrintReportClick() {
    const std::optional<std::vector<int>> rows = ChooseRows(true);
    if (!rows) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(ReportOptions().pageSize));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(ReportOptions().title);
    if (!app_.dialogs().PrintSetup(this, printer)) return;
    StudyPoints points(model_->file(), app_.Sep(), *rows);
    const render::StudyPointAt at = [&points](std::size_t i) { return points(i); };
    render::StudyReportOptions options = ReportOptions();
    options.pageSize = printer.pageLayout().pageSize().id();
    render::StudyExportResult result;
    RunWithProgress(tr("Printing the report of %1 points…").arg(points.size()), points.size() * 2,
                    [&](const render::StudyProgress& progress) {
                        render::StudyExportResult r;
                        r.pages = render::PaintStudyReport(printer, points.size(), at, options, progress);
                        r.outcome = r.pages < 0 ? render::StudyExportResult::kCancelled : render::StudyExportResult::kWritten;
                        return r;
                    },
                    result);
}

}  // namespace zentavo::ui
