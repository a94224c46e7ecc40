// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report2018.h"

namespace zentavo {

namespace {

std::string WithoutColon(const std::string& caption) {
    return !caption.empty() && caption.back() == ':' ? caption.substr(0, caption.size() - 1)
                                                      : caption;
}

}  // namespace

std::vector<std::string> Ieee2018ReportLines(const Ieee2018ReportTexts& t) {
    std::vector<std::string> l;
    l.reserve(26);
    l.push_back("Method: IEEE 1584-2018");
    l.push_back("Electrode configuration: " + t.electrode);
    l.push_back("Gap between conductors (" + t.gapUnit + "): " + t.gap);
    if (t.openAir) {
        l.push_back("Enclosure: none (open air)");
    } else {
        l.push_back("Enclosure height (" + t.enclosureUnit + "): " + t.height);
        l.push_back("Enclosure width (" + t.enclosureUnit + "): " + t.width);
        l.push_back("Enclosure depth (" + t.enclosureUnit + "): " + t.depth);
    }
    l.push_back("Enclosure type: " + t.enclosureType);
    l.push_back("Enclosure size correction factor: " + t.correctionFactor);
    l.push_back("Working distance (" + t.workDistUnit + "): " + t.workDist);
    l.push_back("Available 3Ph bolted current (kA): " + t.boltedCurrent);
    l.push_back("System voltage (V): " + t.voltage);
    l.insert(l.end(), t.device.begin(), t.device.end());
    l.push_back("Predicted arcing current (kA): " + t.arcCurrent);
    l.push_back("Arc duration (sec): " + t.arcTime);
    l.push_back("Reduced arcing current (kA): " + t.arcCurrentReduced);
    l.push_back("Arc duration at reduced current (sec): " + t.arcTimeReduced);
    l.push_back(WithoutColon(t.energyCaption) + " (arcing current): " + t.energy);
    l.push_back(WithoutColon(t.boundaryCaption) + " (arcing current): " + t.boundary);
    l.push_back("Level of PPE (arcing current): " + t.ppe);
    l.push_back(WithoutColon(t.energyCaption) + " (reduced arcing current): " + t.energyReduced);
    l.push_back(WithoutColon(t.boundaryCaption) + " (reduced arcing current): " +
                t.boundaryReduced);
    l.push_back("Level of PPE (reduced arcing current): " + t.ppeReduced);
    l.push_back(std::string("Governing case: ") +
                (t.reducedGoverns ? "reduced arcing current" : "arcing current"));
    l.push_back(t.limitedCaption + " " + t.limited);
    l.push_back(t.restrictedCaption + " " + t.restricted);
    l.push_back(t.prohibitedCaption + " " + t.prohibited);
    l.insert(l.end(), t.notes.begin(), t.notes.end());
    return l;
}

}  // namespace zentavo
