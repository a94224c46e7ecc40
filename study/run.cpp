// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/run.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

#include "io/text_codec.h"
#include "study/csv_writer.h"
#include "study/network_study.h"
#include "study/point_record.h"
#include "study/scenarios.h"
#include "study/study_input.h"

namespace zentavo {

namespace {

// Reading takes at most about this much input into one chunk, less when many
// cores share the budget of all chunks held at once; a chunk's buffers grown
// beyond the kept capacity by long records are given back once written.
constexpr std::size_t kChunkBytes = std::size_t{1} << 18;
constexpr std::size_t kMinChunkBytes = std::size_t{1} << 16;
constexpr std::size_t kAllChunksBytes = std::size_t{16} << 20;
constexpr std::size_t kKeptCapacity = std::size_t{4} << 20;

struct Chunk {
    std::string text;  // whole records of the input
    csv::ReaderOptions reading;
    std::size_t count = 0;  // how many records `text` holds
    csv::Writer out;  // its results
    csv::Fields fields;  // the record being computed
    std::string error;
    StudyDevices devices;  // the devices its rows named: a chunk is computed by one thread at a time
    DurationTexts durations;  // the texts of the durations its devices gave
    std::size_t firstRow = 0;  // the study's row number (from 0) of its first record
    StudyRunSummary summary;   // what its rows gave
    std::string points;        // their records, when the run hands them on (StudyOptions::points)

    void Release() {
        if (text.capacity() > kKeptCapacity) std::string().swap(text);
    }
};

// Computes the rows of a chunk and writes its result records: the input
// columns as read, then the result columns.
class ChunkWriter {
public:
    ChunkWriter(const StudyOptions& options, const csv::WriteOptions& format,
                const std::vector<std::string>& header, const StudyScenarios* network = nullptr)
        : options_(options),
          format_(format),
          inputCount_(header.size()),
          at_(MapStudyColumns(header)),
          written_(WrittenResultColumns(at_, options.arcSteps, options.arcCurrentRange)),
          network_(network) {
        for (std::size_t i = 0; i < header.size() && pointAt_ < 0; ++i) {
            if (IsColumnName(header[i], kPointColumnName)) pointAt_ = static_cast<int>(i);
        }
        devicesSideBySide_ = at_[kFirstDeviceColumn] >= 0;
        for (int c = kFirstDeviceColumn + 1; c <= kLastDeviceColumn; ++c) {
            devicesSideBySide_ = devicesSideBySide_ && at_[c] == at_[c - 1] + 1;
        }
    }

    const csv::WriteOptions& Format() const { return format_; }

    void Write(Chunk& chunk) const {
        chunk.out.Clear();
        chunk.summary = {};
        chunk.points.clear();
        csv::Reader reader(chunk.text, chunk.reading);
        StudyRowResults result;
        StudyRowInputs in;
        for (std::size_t k = 0; k < chunk.count; ++k) {
            csv::Record record = reader.Next(chunk.fields);
            if (!record) break;
            const std::size_t line = record.line;
            const csv::Fields& fields = chunk.fields;
            std::string& error = chunk.error;
            if (record.problem) {
                error = std::move(*record.problem);
            } else {
                error.clear();
            }
            if (error.empty() && fields.size() != inputCount_) {
                error = "line " + std::to_string(line) + ": " + std::to_string(fields.size()) +
                        " fields where the header has " + std::to_string(inputCount_);
            }
            if (error.empty() && options_.detectEncoding && !ValidUtf8(fields)) {
                error = "line " + std::to_string(line) +
                        ": not UTF-8, though the study's first MiB is: save the study as UTF-8";
            }
            for (int c = 0; c < kStudyInputColumnCount; ++c) {
                in[c] = at_[c] >= 0 && static_cast<std::size_t>(at_[c]) < fields.size() ? fields[at_[c]]
                                                                                     : std::string_view();
            }
            in.deviceShareFromNetwork.reset();
            PointResult p;
            if (!error.empty()) {
                p.message = error;
                WriteResultCells(p, options_.units, options_.sep, result);
            } else {
                // A plain record with the device columns side by side: its
                // device is looked up by their text as one piece.
                in.deviceCells = {};
                if (devicesSideBySide_ && !fields.PlainLine().empty()) {
                    const std::string_view first = in[kFirstDeviceColumn], last = in[kLastDeviceColumn];
                    in.deviceCells = {first.data(), static_cast<std::size_t>(last.data() + last.size() - first.data())};
                    in.deviceCellsDelimiter = fields.PlainDelimiter();
                }
                p = network_ ? ComputeScenarioStudyRow(in, chunk.firstRow + k, *network_, options_, &chunk.devices)
                             : ComputeStudyRow(in, options_, &chunk.devices);
                WriteResultCells(p, options_.units, options_.sep, result, &chunk.durations);
            }
            if (options_.points) {
                const std::string_view name =
                    pointAt_ >= 0 && static_cast<std::size_t>(pointAt_) < fields.size() ? fields[pointAt_] : std::string_view();
                AppendPointRecord(chunk.points, name, in, p);
            }
            Count(chunk.summary, line, fields, result);
            // The input columns as read (a short line padded, a long one cut),
            // then the results the study writes, each from its place in the row's cells.
            chunk.out.Record(fields, inputCount_, error.empty(), result, written_);
        }
    }

private:
    // Whether every field is UTF-8: a plain record's line checked whole (its
    // delimiters are ASCII, so no character of a field spans one).
    static bool ValidUtf8(const csv::Fields& fields) {
        if (!fields.PlainLine().empty()) return IsValidUtf8(fields.PlainLine());
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (!IsValidUtf8(fields[f])) return false;
        }
        return true;
    }

    void Count(StudyRunSummary& summary, std::size_t line, const csv::Fields& fields,
               const StudyRowResults& result) const {
        ++summary.rows;
        if (HasStudyResults(result)) return;
        ++summary.refused;
        if (result[kStatusColumn] == "error") ++summary.errors;
        if (summary.listed.size() >= StudyRunSummary::kListed) return;
        StudyRunSummary::Refused& r = summary.listed.emplace_back();
        r.line = line;
        if (pointAt_ >= 0 && static_cast<std::size_t>(pointAt_) < fields.size()) r.point = fields[pointAt_];
        r.message = result[kMessageColumn];
    }

    const StudyOptions& options_;
    csv::WriteOptions format_;
    std::size_t inputCount_;
    StudyColumnMap at_;
    ResultColumnList written_;  // the result columns the output holds, in order
    const StudyScenarios* network_;
    bool devicesSideBySide_ = false;  // the device columns one after the other in the header
    int pointAt_ = -1;                // the `point` column, if the study names its points
};

// The columns a row's network is read from.
constexpr StudyInputColumn kNetworkReadColumns[] = {
    kVoltageColumn, kBoltedCurrentColumn, kBusColumn, kFromBusColumn, kBranchTypeColumn,
    kSourceKaColumn, kSourceXrColumn, kSourceKaMinColumn, kSourceMvaColumn, kSourceMvaMinColumn,
    kTxKvaColumn, kTxZColumn, kTxXrColumn, kCableLengthColumn, kCableRColumn, kCableXColumn,
    kCableSetsColumn, kMotorKvaColumn, kMotorXColumn, kMotorXrColumn, kCableEndTempColumn,
    kTxKvHvColumn, kTxKvMvColumn, kTxKvLvColumn, kTxTapColumn, kLvBusColumn, kTxKvaMvColumn,
    kTxKvaLvColumn, kTxZHlColumn, kTxZMlColumn, kTxUrColumn, kTxUrHlColumn, kTxUrMlColumn,
    kGenKvaColumn, kGenKvColumn, kGenXdColumn, kGenXrColumn, kGenCosPhiColumn, kGenRColumn,
    kGenInMinColumn, kGenPgColumn, kTxPtColumn,
    // The devices of the network's branches, which open in the steps of an arc.
    kDeviceTypeColumn, kRelayCurveColumn, kRelayPickupColumn, kRelayTimeDialColumn,
    kRelayInstPickupColumn, kRelayInstDelayColumn, kBreakerTimeColumn, kTripRatingColumn,
    kTripLtPickupColumn, kTripLtDelayColumn, kTripStPickupColumn, kTripStDelayColumn,
    kTripInstPickupColumn, kTripInstTimeColumn, kTripToleranceColumn, kFuseCurveColumn,
    kDeviceShareColumn, kMaxArcTimeColumn,
    // The scenarios the elements take part in, the devices' maintenance settings.
    kScenariosColumn, kMaintInstPickupColumn, kMaintInstTimeColumn, kMaintScenarioColumn,
    // The method: a DC row may not join the network.
    kMethodColumn,
    // A point on the line side of its bus's main, and the main it names.
    kLineSideColumn, kLineSideOfColumn,
    // The devices' special protection, where they sit, the buses' differential protection.
    kAfrPickupColumn, kAfrTimeColumn, kZsiColumn, kZsiTimeColumn, kDeviceAtColumn, kCableSizeColumn,
    kBusDiffTimeColumn};
static_assert(std::size(kNetworkReadColumns) == 2 + kLastNetworkColumn - kFirstNetworkColumn + 1 +
                                                    kLastDeviceColumn - kFirstDeviceColumn + 1 +
                                                    14);
constexpr std::size_t kNetworkReadCount = std::size(kNetworkReadColumns);
constexpr std::size_t kNetworkChunkRows = 256;

// Fills a chunk with the next records of the study, at most about `bytes`
// of them; false at the study's end.
using ChunkSource = std::function<bool(Chunk& chunk, std::size_t bytes)>;

// Computes the chunks in order on worker threads, one a core, a few chunks
// ahead of the writing; this thread reads the chunks and writes the results
// in the order of the rows. Memory: the ring of chunks and one record.
class Pipeline {
public:
    Pipeline(const ChunkWriter& writer, ChunkSource source, const StudyOptions& options, const StudySink& sink,
             StudyRunSummary& summary)
        : writer_(writer), source_(std::move(source)), options_(options), sink_(sink), summary_(summary) {}

    void Run(unsigned workers) {
        if (workers == 1) return RunHere();
        ring_.resize(2 * workers);
        for (Chunk& c : ring_) c.out = csv::Writer(writer_.Format());
        chunkBytes_ = std::clamp(kAllChunksBytes / ring_.size(), kMinChunkBytes, kChunkBytes);
        computed_.assign(ring_.size(), SIZE_MAX);
        try {
            for (unsigned w = 0; w < workers; ++w) pool_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // No more threads to be had: the ones started do the work.
            if (pool_.empty()) return RunHere();
        }
        std::exception_ptr failure;
        try {
            Feed();
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : pool_) t.join();
        if (!failure) failure = workerFailure_;
        if (failure) std::rethrow_exception(failure);
    }

private:
    bool Read(Chunk& chunk) {
        chunk.Release();
        return source_(chunk, chunkBytes_);
    }

    // Everything on the caller's thread, one chunk at a time.
    void RunHere() {
        Chunk chunk;
        chunk.out = csv::Writer(writer_.Format());
        while (Read(chunk)) {
            writer_.Write(chunk);
            sink_(chunk.out.View());
            if (options_.points) options_.points(chunk.points);
            summary_.Add(chunk.summary);
            if (options_.progress) options_.progress(summary_.rows);
        }
    }

    void Feed() {
        const std::size_t window = ring_.size();
        for (std::size_t written = 0;; ++written) {
            // Read what the window has room for: a slot is free once written.
            while (!allRead_ && read_ < written + window) {
                const bool more = Read(ring_[read_ % window]);
                std::lock_guard lock(mutex_);
                if (more) {
                    ++read_;
                } else {
                    allRead_ = true;
                }
                changed_.notify_all();
            }
            std::unique_lock lock(mutex_);
            if (allRead_ && written == read_) return;
            changed_.wait(lock,
                          [&] { return computed_[written % window] == written || workerFailure_; });
            if (workerFailure_) return;
            lock.unlock();
            sink_(ring_[written % window].out.View());
            if (options_.points) options_.points(ring_[written % window].points);
            summary_.Add(ring_[written % window].summary);
            if (options_.progress) options_.progress(summary_.rows);
        }
    }

    void Work() {
        const std::size_t window = ring_.size();
        for (;;) {
            std::size_t k;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return handedOut_ < read_ || allRead_ || stop_; });
                if (stop_ || workerFailure_ || handedOut_ == read_) return;
                k = handedOut_++;
            }
            try {
                writer_.Write(ring_[k % window]);
            } catch (...) {
                std::lock_guard lock(mutex_);
                if (!workerFailure_) workerFailure_ = std::current_exception();
                changed_.notify_all();
                return;
            }
            std::lock_guard lock(mutex_);
            computed_[k % window] = k;
            changed_.notify_all();
        }
    }

    const ChunkWriter& writer_;
    ChunkSource source_;
    const StudyOptions& options_;
    const StudySink& sink_;
    StudyRunSummary& summary_;
    std::size_t chunkBytes_ = kChunkBytes;
    std::vector<Chunk> ring_;
    std::vector<std::size_t> computed_;  // which chunk each slot holds done
    std::vector<std::thread> pool_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t read_ = 0, handedOut_ = 0;
    bool allRead_ = false, stop_ = false;
    std::exception_ptr workerFailure_;
};


// The text of a network study while its network is read (the network is
// known only at the study's end): kept in a scratch file, so that memory
// holds the network and not the study's text; in memory where no scratch
// file can be had.
class Spool {
public:
    Spool() : file_(std::tmpfile()) {}
    ~Spool() {
        if (file_) std::fclose(file_);
    }
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Keeps a chunk's records (`text` is left empty or as it was).
    void Keep(std::string& text, const Chunk& chunk) {
        Piece& p = pieces_.emplace_back();
        p.reading = chunk.reading;
        p.count = chunk.count;
        p.firstRow = chunk.firstRow;
        p.size = text.size();
        if (!file_) {
            p.text = std::move(text);
            return;
        }
        p.at = end_;
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail();
        end_ += text.size();
    }
    void Finish() {
        if (file_ && std::fflush(file_) != 0) Fail();
    }

    // A source handing out the chunks kept, in order; reads are safe on
    // any thread.
    ChunkSource Source() {
        return [this, next = std::size_t{0}](Chunk& chunk, std::size_t) mutable {
            if (next == pieces_.size()) return false;
            const Piece& p = pieces_[next++];
            chunk.reading = p.reading;
            chunk.count = p.count;
            chunk.firstRow = p.firstRow;
            if (!file_) {
                chunk.text = p.text;
                return true;
            }
            chunk.text.resize(p.size);
            for (std::size_t got = 0; got < p.size;) {
                const ssize_t n = pread(fileno(file_), chunk.text.data() + got, p.size - got,
                                        static_cast<off_t>(p.at + got));
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) Fail();
                got += static_cast<std::size_t>(n);
            }
            return true;
        };
    }

private:
    struct Piece {
        csv::ReaderOptions reading;
        std::size_t count = 0, firstRow = 0, size = 0;
        std::uint64_t at = 0;  // in the file
        std::string text;      // without a file
    };
    [[noreturn]] static void Fail() {
        throw Error(std::string("cannot keep the study's text in a scratch file: ") + std::strerror(errno));
    }
    std::FILE* file_;
    std::uint64_t end_ = 0;
    std::vector<Piece> pieces_;
};

// The network texts of a row that takes part in the network, packed.
struct RowNetworkTexts {
    std::size_t row = 0;
    std::string text;
    std::array<std::uint32_t, kNetworkReadCount> ends{};  // the point's name follows the last
};

// Whether a network read column makes its row take part: a network column,
// its scenarios or its maintenance settings.
constexpr bool TakesPart(StudyInputColumn c) {
    return (c >= kFirstNetworkColumn && c <= kLastNetworkColumn) || c == kScenariosColumn ||
           c == kMaintInstPickupColumn || c == kMaintInstTimeColumn || c == kMaintScenarioColumn;
}

// Reads a study with network columns whole into `spool`, keeping only the
// network texts of the rows that take part, and builds its networks; none
// when no row takes part (the study is then computed as one without
// network columns, in bounded memory). Memory: per row a few bytes, and
// per row that takes part its network texts while the network is built.
std::unique_ptr<StudyScenarios> ReadNetwork(csv::ChunkReader& reader, const std::vector<std::string>& header,
                                            const StudyOptions& options, Spool& spool, StudyRunSummary& summary) {
    const StudyColumnMap at = MapStudyColumns(header);
    int pointAt = -1;
    for (std::size_t i = 0; i < header.size() && pointAt < 0; ++i) {
        if (IsColumnName(header[i], kPointColumnName)) pointAt = static_cast<int>(i);
    }
    std::vector<RowNetworkTexts> part;
    std::size_t rowCount = 0;
    // Chunks of a few hundred rows: the workers share them out evenly.
    const std::size_t chunkRows = std::min<std::size_t>(options.chunkRows, kNetworkChunkRows);
    Chunk c;
    while ((c.count = reader.Next(c.text, c.reading, chunkRows, kChunkBytes)) > 0) {
        c.firstRow = rowCount;
        rowCount += c.count;
        csv::Reader records(c.text, c.reading);
        for (std::size_t k = 0; k < c.count; ++k) {
            const csv::Record record = records.Next(c.fields);
            if (!record) break;
            if (record.problem || c.fields.size() != header.size()) continue;
            bool takesPart = false;
            for (const StudyInputColumn n : kNetworkReadColumns) {
                takesPart = takesPart || (TakesPart(n) && at[n] >= 0 && !c.fields[at[n]].empty());
            }
            if (!takesPart) continue;
            RowNetworkTexts& r = part.emplace_back();
            r.row = c.firstRow + k;
            for (std::size_t n = 0; n < kNetworkReadCount; ++n) {
                const int column = at[kNetworkReadColumns[n]];
                if (column >= 0) r.text += c.fields[column];
                r.ends[n] = static_cast<std::uint32_t>(r.text.size());
            }
            if (pointAt >= 0) r.text += c.fields[pointAt];
        }
        spool.Keep(c.text, c);
    }
    spool.Finish();
    if (part.empty()) {
        summary.unusedScenarios = UnusedScenarioNames({}, options.scenarios);
        return nullptr;
    }
    std::vector<StudyRowInputs> rows(rowCount);
    for (const RowNetworkTexts& r : part) {
        for (std::size_t n = 0, from = 0; n < kNetworkReadCount; from = r.ends[n++]) {
            rows[r.row][kNetworkReadColumns[n]] = std::string_view(r.text).substr(from, r.ends[n] - from);
        }
        rows[r.row].point = std::string_view(r.text).substr(r.ends.back());
    }
    auto network = std::make_unique<StudyScenarios>(rows, options);
    summary.unusedScenarios = network->Unused();
    summary.networkTable = std::make_shared<const NetworkSummary>(
        SummarizeNetwork(network->Network(0), network->Named() ? network->Names().front() : std::string()));
    return network;
}
}  // namespace

namespace {

bool NamesStudyColumn(std::string_view name) {
    return IsColumnName(name, kPointColumnName) ||
           std::any_of(kStudyInputNames.begin(), kStudyInputNames.end(),
                       [&](std::string_view c) { return IsColumnName(name, c); });
}

std::string DelimiterName(char delimiter) {
    if (delimiter == ';') return "a semicolon";
    if (delimiter == '\t') return "a tab";
    return "a comma";
}

// A header row naming none of the study's columns, as it was read.
std::string UnknownHeaderText(const std::vector<std::string>& header, char delimiter) {
    constexpr std::size_t kShownFields = 4, kShownBytes = 60;
    std::string text = "the header row names none of the study's columns (method, voltage, "
                       "bolted_current, ...): read with " +
                       DelimiterName(delimiter) + " between fields, it holds " +
                       std::to_string(header.size()) + (header.size() == 1 ? " field: " : " fields: ");
    for (std::size_t i = 0; i < header.size() && i < kShownFields; ++i) {
        if (i) text += ", ";
        const std::string& f = header[i];
        text += "\"" + f.substr(0, kShownBytes) + (f.size() > kShownBytes ? "...\"" : "\"");
    }
    if (header.size() > kShownFields) text += ", ...";
    return text;
}

}  // namespace

char DetectStudyDelimiter(std::string_view headerLine) {
    if (headerLine.find(',') != std::string_view::npos) return ',';
    for (const char delimiter : {';', '\t'}) {
        if (headerLine.find(delimiter) == std::string_view::npos) continue;
        csv::ReaderOptions o;
        o.startOfInput = false;
        o.delimiter = delimiter;
        csv::Reader reader(headerLine, o);
        std::vector<std::string> fields;
        if (const csv::Record record = reader.Next(fields);
            record && !record.problem && fields.size() > 1 &&
            std::any_of(fields.begin(), fields.end(), NamesStudyColumn)) {
            return delimiter;
        }
    }
    return ',';
}

void StudyRunSummary::Add(const StudyRunSummary& more) {
    rows += more.rows;
    refused += more.refused;
    errors += more.errors;
    for (const Refused& r : more.listed) {
        if (listed.size() >= kListed) break;
        listed.push_back(r);
    }
}

StudyRunOutcome RunStudy(const StudySource& source, const StudyOptions& given, const StudySink& sink) {
    StudyRunOutcome outcome;
    StudyRunSummary& into = outcome.summary;
    StudyOptions options = given;
    // A spreadsheet's export is looked at before it is read: its encoding and
    // its decimal separator.
    std::optional<StudyLook> look;
    if (options.detectEncoding || options.detectDecimalSeparator) {
        look = LookAtStudy(Utf8StudySource(source), options.detectEncoding);
        into.cp1252 = look->cp1252;
    }
    csv::ChunkReader reader(look ? look->source : Utf8StudySource(source), options.maxRecordBytes,
                            options.delimiter);
    char delimiter = options.delimiter;
    csv::WriteOptions format{options.delimiter, options.lineEnd};
    if (options.detectDelimiter || options.lineEndOfInput) {
        const std::string_view first = reader.FirstLine();
        if (options.detectDelimiter) delimiter = DetectStudyDelimiter(first);
        if (options.lineEndOfInput) {
            const std::size_t end = first.find_first_of("\r\n");
            format.lineEnd = end != std::string_view::npos && first[end] == '\n' ? csv::LineEnd::kLf
                                                                                 : csv::LineEnd::kCrLf;
        }
        reader.SetDelimiter(delimiter);
    }
    format.delimiter = options.outputDelimiter ? options.outputDelimiter : delimiter;
    outcome.written = format;
    std::vector<std::string> header;
    if (const csv::Record first = reader.First(header); !first || first.problem) {
        throw StudyReadError(first.problem.value_or("no header row"));
    }
    if (std::string fault = StudyHeaderFault(header); !fault.empty()) throw StudyReadError(fault);
    if (std::none_of(header.begin(), header.end(), NamesStudyColumn)) {
        throw StudyReadError(UnknownHeaderText(header, delimiter));
    }
    if (look && options.detectDecimalSeparator && (delimiter == ';' || delimiter == '\t')) {
        const std::optional<char> sep = GuessDecimalSeparator(look->head, delimiter, look->whole);
        if (sep) options.sep = *sep;
        into.decimalUndecided = !sep;
    }
    // A study taken as UTF-8 has each row checked (ChunkWriter): bytes that
    // are not UTF-8 beyond its first MiB make their row an error.
    if (into.cp1252) options.detectEncoding = false;
    look.reset();
    into.sep = options.sep;

    for (const int r : ResultColumnsAmongInputs(header)) into.resultColumnsAmongInputs.emplace_back(kStudyResultNames[r]);
    std::string head;
    csv::AppendRecord(head, StudyOutputNames(header, options.arcSteps, options.arcCurrentRange),
                      format);
    sink(head);

    const unsigned workers =
        options.workers ? options.workers : std::max(1u, std::thread::hardware_concurrency());
    if (HasNetworkColumns(MapStudyColumns(header))) {
        into.network = true;
        Spool spool;
        const std::unique_ptr<StudyScenarios> network = ReadNetwork(reader, header, options, spool, into);
        const ChunkWriter writer(options, format, header, network.get());
        Pipeline(writer, spool.Source(), options, sink, into).Run(workers);
        return outcome;
    }
    const ChunkWriter writer(options, format, header);
    const ChunkSource records = [&](Chunk& c, std::size_t bytes) {
        c.count = reader.Next(c.text, c.reading, options.chunkRows, bytes);
        return c.count > 0;
    };
    Pipeline(writer, records, options, sink, into).Run(workers);
    return outcome;
}

StudyRunOutcome RunStudy(std::string_view input, const StudyOptions& options, const StudySink& sink) {
    return RunStudy(TextSource(input), options, sink);
}

}  // namespace zentavo
