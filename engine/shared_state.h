// SPDX-License-Identifier: GPL-3.0-or-later
// The one record of the run through which every window exchanges its data.
// Internal units: lengths in mm, currents in kA, voltage in V, energies in
// J/cm2, durations in s, pressure in lb/ft2, TNT equivalent in kg. Values stay
// unrounded (except the two arcing currents) until they are written as text.
#pragma once

#include <cstdint>
#include <string>

#include "engine/units.h"

namespace zentavo {

struct SharedState {
    // Inputs, written by "Next" on the main window.
    double Voltage = 0;          // V
    double BoltedCurrent = 0;    // kA
    double GapEntered = 0;       // mm, as entered (or class default)
    double Gap = 0;              // mm, used by the equations
    double WorkDistEntered = 0;  // mm, as entered
    double WorkDist = 0;         // mm, accepted
    double BreakerRating = 0;    // kA, interrupting rating IR
    double BreakerTrip = 0;      // kA, instantaneous trip IT

    // Model constants.
    double K = 0;
    double K1 = 0;
    double K2 = 0;
    double Cf = 0;
    double DistExponent = 0;

    // Intermediate values.
    double LogArcCurrent = 0;
    double ArcCurrent = 0;         // kA, rounded to 2 decimals
    double ArcCurrentReduced = 0;  // kA, rounded to 2 decimals
    double LogNormEnergy = 0;
    double LogNormEnergyReduced = 0;
    double ArcTime = 0;         // s
    double ArcTimeReduced = 0;  // s
    double FuseEnergyRef = 0;   // J/cm2 at 455 mm
    double BreakerCoefA = 0;
    double BreakerCoefB = 0;
    double BreakerCoefC = 0;
    double BreakerCoefD = 0;
    double BreakerEnergyRef = 0;  // J/cm2 at 460 mm
    double BreakerTripLog = 0;
    double BreakerTripArcLog = 0;
    double BreakerTripArcCurrent = 0;  // kA

    // Results.
    double IncidentEnergy = 0;         // J/cm2
    double IncidentEnergyReduced = 0;  // J/cm2
    double FlashBoundary = 0;          // mm
    double FlashBoundaryReduced = 0;   // mm
    double FuseEnergy = 0;             // J/cm2
    double FuseFlashBoundary = 0;      // mm
    double BreakerEnergy = 0;          // J/cm2
    double BreakerFlashBoundary = 0;   // mm
    double ArcPressure = 0;            // lb/ft2
    double ArcPressureReduced = 0;     // lb/ft2
    double TntEquivalent = 0;          // kg
    double TntEquivalentReduced = 0;   // kg

    // Hazard classification.
    std::string LimitedApproach;
    std::string RestrictedApproach;
    std::string ProhibitedApproach;
    std::int32_t PpeIndex = 0;
    std::int32_t PpeIndexReduced = 0;
    std::string PpeLevel;
    std::string PpeLevelReduced;
    std::int32_t LabelPpeIndex = 0;

    // Flow control and settings.
    std::string ErrorText;
    bool ReducedCaseOff = false;
    std::uint16_t LabelLineCount = 0;
    bool LabelInColor = false;
    // The units window's first four choices as it was opened: "Ignore and
    // close" goes back to them.
    LengthUnit SavedGapUnits = LengthUnit::Millimetres;
    LengthUnit SavedWorkDistUnits = LengthUnit::Millimetres;
    LengthUnit SavedFlashBoundUnits = LengthUnit::Inches;
    IncidentEnergyUnit SavedEnergyUnits = IncidentEnergyUnit::CaloriesPerCm2;

    // What the main window sets when it is created.
    void InitialiseForMainWindow() {
        ReducedCaseOff = false;
        ErrorText.clear();
        LabelLineCount = 7;
        LabelInColor = true;
    }
};

// The record as it stands once the main window exists: the start of every
// run, and of every row of a study.
inline SharedState StartState() {
    SharedState s;
    s.InitialiseForMainWindow();
    return s;
}

}  // namespace zentavo
