// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_dc.h"

namespace zentavo {

namespace {

void AddCase(std::vector<std::string>& l, const std::string& method, const DcReportCase& c,
             const DcReportTexts& t) {
    if (!c.refusal.empty()) {
        l.push_back(method + ": not computed: " + c.refusal);
        return;
    }
    l.push_back(method + ": arcing current (kA): " + c.arcCurrent);
    l.push_back(method + ": arc voltage (V): " + c.arcVoltage);
    l.push_back(method + ": arc resistance (ohm): " + c.arcResistance);
    l.push_back(method + ": arc power (kW): " + c.arcPower);
    l.push_back(method + ": enclosure factor: " + c.boxFactor);
    l.push_back(method + ": arc duration (sec): " + c.arcTime);
    l.push_back(method + ": incident energy exposure (" + t.energyUnit + "): " + c.energy);
    l.push_back(method + ": flash protection boundary (" + t.boundaryUnit + "): " + c.boundary);
    l.push_back(method + ": level of PPE: " + c.ppe);
}

void AddNotes(std::vector<std::string>& l, const std::string& method, const DcReportCase& c) {
    if (!c.refusal.empty() || c.notes.empty()) return;
    std::string notes = c.notes;
    while (!notes.empty() && notes.back() == ' ') notes.pop_back();
    l.push_back(method + ": note: " + notes);
}

}  // namespace

std::vector<std::string> DcReportLines(const DcReportTexts& t) {
    std::vector<std::string> l;
    l.reserve(32);
    l.push_back("Method: DC arc flash after NFPA 70E Annex D.5");
    l.push_back("Enclosure: " + t.enclosure);
    l.push_back("System voltage (V DC): " + t.voltage);
    l.push_back("Available bolted current (kA): " + t.boltedCurrent);
    l.push_back("Source resistance (ohm): " + t.sourceResistance);
    l.push_back("Gap between conductors (" + t.gapUnit + "): " + (t.gap.empty() ? "none" : t.gap));
    l.push_back("Working distance (" + t.workDistUnit + "): " + t.workDist);
    l.insert(l.end(), t.device.begin(), t.device.end());
    AddCase(l, "Maximum power", t.maxPower, t);
    AddCase(l, "Arc resistance", t.arcResistance, t);
    l.push_back("Limited approach boundary (" + t.boundaryUnit + "): " + t.limited);
    l.push_back("Restricted approach boundary (" + t.boundaryUnit + "): " + t.restricted);
    l.push_back("Prohibited approach boundary (" + t.boundaryUnit + "): " + t.prohibited);
    AddNotes(l, "Maximum power", t.maxPower);
    AddNotes(l, "Arc resistance", t.arcResistance);
    return l;
}

}  // namespace zentavo
