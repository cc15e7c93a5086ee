// The tables of the suites the stand-in host offers.
#pragma once

#include "host/FaultPlan.h"
#include "host/SuiteRegistry.h"
#include "hostapi/SPSuites.h"

namespace tavrix::host {

// Offers every suite and names every operation that can be made to fail.
void InstallHostSuites(SuiteRegistry& suites, FaultPlan& faults);

void InstallMachinerySuites(SuiteRegistry& suites, FaultPlan& faults);
void InstallRegistrationSuites(SuiteRegistry& suites, FaultPlan& faults);
void InstallAdmBasicSuite(SuiteRegistry& suites, FaultPlan& faults);
void InstallAdmDialogSuites(SuiteRegistry& suites, FaultPlan& faults);
void InstallAdmItemSuite(SuiteRegistry& suites);
void InstallAdmEventSuites(SuiteRegistry& suites, FaultPlan& faults);
void InstallArtworkSuites(SuiteRegistry& suites, FaultPlan& faults);
void InstallPreferenceSuite(SuiteRegistry& suites, FaultPlan& faults);
void InstallUndoSuite(SuiteRegistry& suites, FaultPlan& faults);
void InstallAcquireOnlySuites(SuiteRegistry& suites);

const SPBasicSuite* BasicSuiteTable();

}  // namespace tavrix::host
