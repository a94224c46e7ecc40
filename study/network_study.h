// SPDX-License-Identifier: GPL-3.0-or-later
// A study as a network: rows that name a bus become the network's buses,
// sources, transformers, cables and motors; the network is built once and
// solved for the study's convention; every row on a bus is then computed
// with the bus's maximum and minimum bolted fault current, and the case with
// the larger governing incident energy gives the row's results.
//
// A row takes part when any of its network columns holds a text. Its
// `voltage` is the nominal voltage of its bus; its `bolted_current` must be
// empty (the network gives it). A network value outside its column's range
// (voltage 1 V to 1 MV, source_ka 0.001 to 1000 kA, ...: the table in
// network_study.cpp) is refused naming the column and the value as typed.
// A row whose network values cannot be read or whose element the network
// refuses is an error naming the row (as "row N", N counting the study's
// rows from 1); the other rows are computed.
//
// The branch types: source, transformer (tx_kv_hv, tx_kv_lv, tx_tap
// optional), cable (cable_end_temp optional), generator (on the row's bus:
// gen_kva, gen_xd; gen_kv, gen_xr, gen_cos_phi 0.8, gen_in_min no), unit
// (a power-station unit on its high-voltage bus: the generator's columns and
// its transformer's tx_kva, tx_z, tx_xr, tx_kv_hv, tx_kv_lv; with gen_pg,
// and tx_pt 0, a unit without on-load tap changer) and
// transformer3 (from_bus, bus and lv_bus its high-, medium- and
// low-voltage buses).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "network/fault_steps.h"
#include "network/short_circuit.h"
#include "study/network_rows.h"
#include "study/row.h"
#include "study/study_point.h"

namespace zentavo {


// What the network gives one row.
struct NetworkRowFault {
    bool inNetwork = false;  // the row has a network text: it is computed from the network
    // Why the row cannot be computed, its problems joined by "; "; none when it can.
    std::optional<RowProblem> problem;
    void Refuse(const std::string& message) {
        if (!problem) {
            problem = RowProblem{message, std::nullopt};
        } else if (problem->message.find(message) == std::string::npos) {
            problem->message += "; " + message;
        }
    }
    double kaMax = 0, kaMin = 0;          // the bolted fault currents of its bus, kA
    // Its own branch's share of the bus fault current in each case: what a
    // protective device on the branch sees of the arcing current. Absent for
    // a row without a branch of its own.
    std::optional<double> branchShare, branchShareMin;
    // A device at its branch's from_bus end (device_at from): the ratio of
    // the currents it sees to the bus end's (the buses' nominal voltages,
    // bus over from_bus), and the bolted current at its end (kA) that it
    // must interrupt.
    double deviceEndRatio = 1;
    std::optional<double> deviceEndKa;
    // The network the row is in, and its row (from 0): what clears its arc
    // in steps.
    const class StudyNetwork* network = nullptr;
    std::size_t row = 0;
    // In a scenario (study/scenarios.h): the row's own branch does not take
    // part, and the row is not computed in it; its bus has no source in it.
    bool out = false;
    bool unfed = false;
};

class StudyNetwork {
public:
    // Every row's inputs, in the study's order (a row that could not be
    // read: all empty). The texts need not outlive the network.
    StudyNetwork(const std::vector<StudyRowInputs>& rows, char sep, const network::SolveOptions& options);
    // The same, for the study's options: with arc steps on, the devices of
    // the network's rows are built (the rows must then hold their device
    // columns) and each case factorised once for the steps. In a scenario
    // (`scenario` set), only the elements of the rows that take part in it
    // are in the network, and the devices have its maintenance settings.
    // `twin`, an earlier scenario's network of the same elements, lends its
    // factors for the steps: a network factorised once serves both.
    StudyNetwork(const std::vector<StudyRowInputs>& rows, const StudyOptions& options,
                 const std::string* scenario = nullptr, const StudyNetwork* twin = nullptr);
    ~StudyNetwork();
    StudyNetwork(const StudyNetwork&) = delete;
    StudyNetwork& operator=(const StudyNetwork&) = delete;

    const NetworkRowFault& Row(std::size_t row) const { return rows_[row]; }
    // A row's place on the one-line as typed (empty for a row outside the network).
    const NetworkDrawing& Drawing(std::size_t row) const { return drawings_[row]; }
    // The buses and their currents; empty when no row is in the network.
    const network::ShortCircuitResults& Results() const { return results_; }
    // How many rows the network was read from.
    std::size_t RowCount() const { return rows_.size(); }
    // The branch that feeds each bus in the order of Results().buses (a
    // tree over the buses from the sources): of the branches that feed it
    // (from a bus nearer the sources, counted in branches), the one from the
    // nearest, its row and the bus it comes from; -1 and empty for a bus fed
    // by a source alone or not at all.
    struct Feed {
        int row = -1;
        std::string fromBus;
        network::ElementKind kind = network::ElementKind::Source;
    };
    const std::vector<Feed>& Feeds() const { return feeds_; }
    // The main of a line-side row (line_side yes, without a branch of its
    // own): the one branch with a device that feeds its bus, or the one its
    // line_side_of names; none where no feeding branch has a device. A bus
    // fed through several, none named, makes the row an error that names them.
    std::optional<std::size_t> LineSideMain(std::size_t row) const;

    // The steps of a row's arc in one case (study/arc_steps.cpp); `lineSide`:
    // its own branch's device does not act.
    struct StepQuery {
        std::size_t row = 0;
        network::Case c = network::Case::Max;
        bool lineSide = false;
    };
    bool Steps() const { return stepCases_[0] != nullptr; }
    // Motors feed the row's bus in the case, and their contribution decays.
    bool MotorsDecay(const StepQuery& q) const;
    // What a row's plans of one case share (the other arcing currents'
    // plans walk the same states): the fault at the row's bus in each state
    // its steps reached, by the changes that led there from the start in
    // order (each element taken out, the motors' end), with its solves and
    // the devices on its paths once found.
    struct StepMemo {
        struct State {
            network::FaultSteps::Fault fault;
            std::optional<std::vector<network::FaultSteps::Reached>> reached;
        };
        std::map<std::vector<std::int64_t>, State> states;
    };
    // A row's memos of both cases (maximum, minimum), which a twin
    // scenario's network walking the same steps (SameSteps) takes over.
    struct RowMemo {
        StepMemo cases[2];
    };
    // Whether `other` walks the same states as this one: its factors, and
    // the same rows' devices on the same elements (whatever their settings).
    bool SameSteps(const StudyNetwork& other) const;
    ArcStepPlanner::Plan PlanSteps(const StepQuery& q, const std::function<double(double)>& arcing,
                                   double first, const ProtectiveDevice* own,
                                   std::optional<double> share, bool shareTyped,
                                   std::optional<double> typed, StepMemo& memo) const;
    // A step device: the row (from 0) whose device sits on an element.
    struct StepDevice {
        std::size_t row = 0;
        std::shared_ptr<const ProtectiveDevice> device;
        std::string at;  // the bus at whose end of the branch it sits (device_at)
        // Its element in the network (none for one that cannot be taken
        // out) and the number of its bus `at`, found once.
        std::optional<network::FaultSteps::Element> element;
        int atBus = -1;
    };
    // The bus differential protection's time of a bus (bus_diff_time, as
    // the first row of the bus that gives one reads); none without one.
    std::optional<double> BusDifferential(const std::string& bus) const;

private:
    void Build(const std::vector<StudyRowInputs>& rows, char sep,
               const network::SolveOptions& options, const StudyOptions* steps,
               const std::string* scenario, const StudyNetwork* twin);
    void BuildSteps(const std::vector<StudyRowInputs>& rows, const StudyOptions& options,
                    const StudyNetwork* twin);
    // The direction of every branch from the sources: feeds_ and lineSideMain_.
    void FindFeeds(const std::vector<StudyRowInputs>& rows);
    std::vector<NetworkRowFault> rows_;
    std::vector<NetworkDrawing> drawings_;
    network::ShortCircuitResults results_;
    std::vector<Feed> feeds_;
    std::vector<std::optional<std::size_t>> lineSideMain_;
    // For the steps: the network, each case's factors, each row's bus and
    // own element, the devices by element (kind, index).
    struct OwnElement {
        network::ElementKind kind;
        std::size_t index;
        std::string bus;
    };
    std::unique_ptr<network::Network> net_;
    std::shared_ptr<const network::FaultSteps> stepCases_[2];  // a twin's shared
    std::vector<std::optional<OwnElement>> own_;
    std::vector<std::string> bus_;
    std::vector<std::string> point_;  // each row's point, which names its device in a message
    // The step devices, and each element's (kind, index) place among them
    // (-1: none): the walks ask for every element they pass.
    std::vector<StepDevice> stepDevices_;
    std::vector<int> stepDeviceOf_[network::kElementKindCount];
    const StepDevice* StepDeviceOf(network::ElementKind kind, std::size_t index) const {
        const std::vector<int>& of = stepDeviceOf_[static_cast<int>(kind)];
        return index < of.size() && of[index] >= 0 ? &stepDevices_[of[index]] : nullptr;
    }
    std::unordered_map<std::string, double> busDifferential_;
    std::optional<double> motorDecay_;  // s
    std::string scenario_;              // the scenario whose maintenance settings the devices have
    char sep_ = '.';                    // the decimal separator of the refusals' numbers
};

// The sections of a network study: a point on the line side of its bus's
// main (line_side yes, on a row without a branch of its own) and its main
// (StudyNetwork::LineSideMain), whose device does not act on that fault
// (the main's load side). Each row of a section gets the other's row; a
// main with several line-side rows pairs with the first. The label
// of a section carries the larger of the two.
std::vector<std::optional<std::size_t>> StudySections(const StudyNetwork& network,
                                                      const std::vector<StudyRowInputs>& rows);

// What a study's report, labels and one-line take of its network in one
// scenario, as the run computed it: the buses' currents, each row's state
// in it, the main sections. The PDFs are written from it, never from a
// network built again.
struct NetworkSummary {
    std::string scenario;  // the scenario it is of; empty without scenarios
    std::vector<network::BusResult> buses;  // without their branches' shares
    std::unordered_map<std::string, std::size_t> busIndex;  // a bus's place in `buses`, by name
    bool tapsLeftOut = false;               // ShortCircuitResults::tapsLeftOut
    struct Row {
        bool inNetwork = false;
        bool out = false;     // its own branch takes no part in the scenario
        bool faulty = false;  // refused by the network (not merely without a source)
        NetworkDrawing drawing;  // its place on the one-line (StudyNetwork::Drawing)
    };
    std::vector<Row> rows;
    std::vector<std::optional<std::size_t>> sections;  // StudySections
    const network::BusResult* FindBus(const std::string& name) const;
};
NetworkSummary SummarizeNetwork(const StudyNetwork& network, std::string scenario);

// What the fault currents were computed by, for a report: "By iec60909:
// voltage factor c max 1.05 up to 1 kV (voltage tolerance +6 %), 1.10
// above; c min 0.95 up to 1 kV, 1.00 above. Minimum case with the cables'
// conductors at 80 °C at the end of the fault (a cable_end_temp of a row
// for its cable)." With `tapsLeftOut` (ShortCircuitResults::tapsLeftOut) a
// sentence says that iec60909 took the tapped transformers at their rated
// ratio.
std::string ShortCircuitBasis(const network::SolveOptions& options, bool tapsLeftOut = false);

// Computes a row of a network study: a row outside the network as
// ComputeStudyRow does; one in it with its bus's currents (both cases, each
// at three decimals as its columns show it), giving the results of the case
// with the larger governing energy and what the network gave the row.
// `devices` as for ComputeStudyRow; `consulted`, when given, gets the rows
// whose devices its arc's steps weighed; `memo`, when given, keeps the
// states its steps walk (or has them from a twin scenario's network).
PointResult ComputeNetworkStudyRow(const StudyRowInputs& in, const NetworkRowFault& fault,
                                   const StudyOptions& options, StudyDevices* devices = nullptr,
                                   std::vector<std::size_t>* consulted = nullptr,
                                   StudyNetwork::RowMemo* memo = nullptr);
// The same, with the result texts written into `out` (WriteResultCells).
PointResult ComputeNetworkStudyRow(const StudyRowInputs& in, const NetworkRowFault& fault,
                                   const StudyOptions& options, StudyRowResults& out,
                                   StudyDevices* devices = nullptr);

}  // namespace zentavo
