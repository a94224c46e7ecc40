// SPDX-License-Identifier: GPL-3.0-or-later
// The result of one point of work of a study, as numbers and enums: computed
// once by the study row (study/row.h), kept by the study, and written into
// texts only at the edge that shows it, by one formatter per edge: the
// result CSV's cells (study/result_cells.h), the study window's table, the
// report and the label (render/). Nothing downstream reads a result text
// back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/case_result.h"
#include "engine/classification.h"
#include "engine/dc_arc_flash.h"
#include "engine/method.h"
#include "engine/protection.h"
#include "engine/refusal.h"

namespace zentavo {

// A row's state: computed, computed with a caution about its device's
// settings (its results given, the caution as its message), refused by its
// method (a value out of range: the method's joined message), or in error (a
// value that is not a number, a word none of its column's, a record that
// cannot be read).
enum class PointStatus : std::uint8_t { Computed, Caution, Refused, Error };
// The status column's word: "ok", "warning" (a caution or a refusal), "error".
std::string_view PointStatusWord(PointStatus status);

// The equations that gave a point's results.
enum class Equations : std::uint8_t {
    None,
    Empirical,
    TheoreticallyDerived,
    Fuse,
    Breaker,
    Ieee2018,
    DcMaxPower,
    DcArcResistance,
};
// The equations column's words: "", "empirical", "theoretically derived",
// "fuse", "breaker", "IEEE 1584-2018", "DC maximum power", "DC arc resistance".
std::string_view EquationsWord(Equations equations);

// A 2018 point's enclosure, as its correction factor took it.
enum class EnclosureType : std::uint8_t { None, Typical, Shallow, OpenAir };
// "", "typical", "shallow", "open air".
std::string_view EnclosureTypeWord(EnclosureType type);

// A case's arc duration where the point's protective device gave it.
struct PointDuration {
    double seconds = 0;  // the duration used: the device's time, or the maximum arc duration
    DeviceElement element = DeviceElement::DoesNotOperate;  // Capped: the maximum replaced the device's time
    DeviceTrip device;      // the device's own answer before the cap
    double deviceAmps = 0;  // the current the device saw: its share of the unrounded arcing current, A
};

// What ended one step of an arc cleared in steps.
enum class StepEnd : std::uint8_t {
    DeviceOpened,     // a device opened its branch (StepOf::opened)
    MotorsEnd,        // the motors' contribution ended (--motor-decay)
    MaximumDuration,  // the maximum arc duration ended the arc
    TypedDuration,    // the row's typed duration ended the arc
    NoSource,         // no source but motors fed the arc any more
    BusDifferential,  // the bus differential protection opened every branch into the bus
};
// One step of an arc cleared in steps: the bolted current feeding it (kA,
// the point's own in the first step), its arcing current, how long it
// lasted, and what ended it.
struct PointStep {
    double boltedKa = 0, arcingKa = 0, seconds = 0;
    StepEnd end = StepEnd::DeviceOpened;
    bool motorsEnd = false;            // the motors' contribution ended with it as well
    std::vector<std::size_t> opened;   // the rows (from 0) whose devices opened at its end
    // Their devices, as the network's scenario set them (a maintenance
    // setting there): what the report draws beside the point's own.
    std::vector<std::shared_ptr<const ProtectiveDevice>> openedDevices;
    // The element of each that acted (an arc-flash relay, interlocking).
    std::vector<DeviceElement> openedBy;
    // Not selective: a device that opened at its end (its row first) while
    // a device nearer the fault on its path (the second) still ran.
    std::vector<std::array<std::size_t, 2>> notSelective;
};

// When the device of a row (from 0) opened in a case's steps: the arc's time
// at the end of that step, s; none where it did not open.
std::optional<double> OpenedAfter(const std::vector<PointStep>& steps, std::size_t row);

// One case of a point: the numbers of its texts (CaseResult), the arcing
// current the method used, and its duration where a device gave it.
struct PointCase : CaseResult {
    double arcingCurrent = 0;  // kA: the 2002 methods' rounded to two decimals, the 2018 model's unrounded
    std::optional<PointDuration> duration;
    // An arc cleared in steps: every step, the energy their sum. Empty: the
    // arc was cleared in one step (or steps were not asked for).
    std::vector<PointStep> steps;
};

// What the study's network gave a point on one of its buses.
struct PointNetwork {
    double kaMax = 0, kaMin = 0;  // the bus's bolted currents, as the row was computed with them (kA)
    bool minimumCase = false;     // the minimum case gave the results (the larger governing energy)
    std::optional<double> share, shareMin;  // its own branch's share of each case
};

// The interrupting duty of a point's protective device: its rating
// (device_rating_ka) against the fault current it must interrupt, the bolted
// current as the row shows it (kA, three decimals), on a branch of the
// network the branch's share of the maximum case.
struct PointDuty {
    std::optional<double> ratingKa;  // absent: no rating given, not checked
    double availableKa = 0;
    bool Exceeded() const { return ratingKa && availableKa > *ratingKa; }
};

// What a DC point (engine/dc_arc_flash.h) gives beside its case: its arc's
// voltage, resistance and power, the enclosure and its factor at the
// working distance, the source both ways, whether its duration was assumed
// (none typed, no device: 2 s), and the checks of a sustained arc.
struct PointDc {
    DcBox box = DcBox::Open;
    double arcVoltage = 0;  // V
    double arcOhms = 0;     // Ω
    double arcPowerW = 0;   // W
    double boxFactor = 1;
    double boltedKa = 0, sourceOhms = 0;
    double arcTime = 0;  // s, the duration used
    bool durationAssumed = false;
    bool lowVoltage = false, currentBelowSustain = false, arcVoltageNotBelow = false;
};

// A point of a study with scenarios, in one of them: its governing incident
// energy (J/cm2); none where it is not computed there: its bus is not fed,
// or its own branch does not take part (`branchOut`). `maintenance`: a
// row's maint_scenario names it, so that some trip unit or relay of the
// plant has its maintenance setting on in it.
struct PointScenario {
    std::string name;
    std::optional<double> energy;
    bool branchOut = false;
    bool maintenance = false;
};

// The worst of a point over the range of its arcing currents
// (study/arc_range.h): the bolted current it was found at (kA), the
// variant's arcing current (kA), that variant's case, and how many bolted
// currents the search computed.
struct PointRange {
    double boltedKa = 0;
    double arcingKa = 0;
    PointCase worst;
    int evaluations = 0;
    bool governs = false;  // it is above the cases: the point's results are those at boltedKa
};

struct PointResult {
    PointStatus status = PointStatus::Error;
    std::string message;  // the refusal, the error or the caution; empty when computed
    // What kind of problem stopped the point, where a model or a protective
    // device refused it: set for every refused point, and for a point in
    // error whose device settings or column word were refused; `message` is
    // its text. Not set for a computed point, a text that is not a number
    // or a record that cannot be read.
    std::optional<RefusalCode> refusal;
    Method method = kEmpiricalMethod;
    Equations equations = Equations::None;
    // The arcing currents are known (and shown) from the method's first step
    // on: a point refused later for its durations shows them still.
    bool arcingCurrentsKnown = false;
    PointCase full;
    std::optional<PointCase> reduced;  // the reduced arcing current's case, where the method offers it
    bool reducedGoverns = false;       // it has the larger incident energy
    ApproachDistances approach;        // of the system voltage, inches (none: "Avoid contact")
    double voltage = 0;                // V
    double gapMm = 0;                  // the gap the equations used
    double workDistMm = 0;             // the working distance the energies are at
    EnclosureType enclosure = EnclosureType::None;
    double enclosureFactor = 0;        // the 2018 model's CF
    // A point whose durations came from a protective device: the device and
    // its maximum arc duration (none: "none").
    std::shared_ptr<const ProtectiveDevice> device;
    std::optional<double> maxArcTime;
    std::optional<PointNetwork> network;
    // A point with a protective device (device_type, the fuse and breaker
    // methods) or a rating, whose bolted current is known; none otherwise.
    std::optional<PointDuty> duty;
    // A study with scenarios: the one whose results these are (the largest
    // governing energy), and the point in each scenario, in the study's
    // order. Empty without scenarios.
    std::string scenarioWorst;
    std::vector<PointScenario> scenarios;
    // A DC point's own values; none for an AC point.
    std::optional<PointDc> dc;
    // A point of a network with --arc-current-range on, both cases computed.
    std::optional<PointRange> range;

    bool Computed() const { return status == PointStatus::Computed || status == PointStatus::Caution; }
    // The reduced case governs (the method's choice, where it computed one), and the governing case.
    bool ReducedCaseGoverns() const { return reducedGoverns && reduced; }
    const PointCase& Governing() const { return ReducedCaseGoverns() ? *reduced : full; }
    // A device upstream opened before one nearer the fault: the message names both.
    bool NotSelective() const { return message.find("not selective: ") != std::string::npos; }
    // The bolted current the results were computed with, where the network
    // gave it: a case's, or the range's worst current where it governs.
    std::optional<double> NetworkCurrent() const {
        if (!network) return std::nullopt;
        if (range && range->governs) return range->boltedKa;
        return network->minimumCase ? network->kaMin : network->kaMax;
    }
};

// How a method writes its cases' texts.
CaseStyle CaseStyleOf(Equations equations);

}  // namespace zentavo
