// The plug-in calls only the host operations its interface names: a host built to that
// interface offers no others.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "support/PluginBytes.h"
#include "validator/ReferenceSession.h"

namespace tavrix::validator {
namespace {

// Every operation the interface gives the plug-in, by the host's names.
const std::set<std::string> kNamedOperations = {
    "SPBasic.AcquireSuite", "SPBasic.ReleaseSuite", "SPBasic.IsEqual", "SPAccess.GetPluginAccess",
    // The plug-in shell.
    "AIBlock.AllocateBlock", "AIBlock.DisposeBlock", "AINotifier.AddNotifier",
    "AINotifier.SetNotifierActive", "AIAnnotator.AddAnnotator", "AIAnnotator.SetAnnotatorActive",
    "AIAnnotator.InvalAnnotationRect", "AIMenu.AddMenuItem", "AIMenu.CheckItem",
    // Preferences and the artwork.
    "AIPreference.GetBooleanPreference", "AIPreference.PutBooleanPreference",
    "AIPreference.GetIntegerPreference", "AIPreference.PutIntegerPreference",
    "AIPreference.GetRealPreference", "AIPreference.GetPointPreference",
    "AIPreference.PutPointPreference", "AIPreference.GetStringPreference",
    "AIPreference.PutStringPreference", "AIMatchingArt.GetMatchingArt",
    "AIMdMemory.MdMemoryDisposeHandle", "AIPath.GetPathSegmentCount", "AIPath.GetPathSegments",
    "AIPath.SetPathSegments", "AIPath.GetPathSegmentSelected", "AIPath.SetPathSegmentSelected",
    "AIPath.GetPathClosed", "AIPath.GetPathLength", "AIPath.GetPathArea", "AIArt.GetArtBounds",
    "AIDocument.GetDocumentRulerUnits", "AIDocumentView.GetNthDocumentView",
    "AIDocumentView.ArtworkPointToViewPoint", "AIUndo.SetUndoText",
    // The dialog manager.
    "ADMBasic.GetIndexString", "ADMBasic.ErrorAlert", "ADMBasic.AboutBox", "ADMBasic.ValueToText",
    "ADMBasic.TextToValue", "ADMBasic.GetConcreteUnits", "ADMDialog.Create", "ADMDialog.Modal",
    "ADMDialog.Destroy", "ADMDialog.SetDrawProc", "ADMDialog.SetTrackProc",
    "ADMDialog.SetNotifyProc", "ADMDialog.SetDestroyProc", "ADMDialog.DefaultDraw",
    "ADMDialog.DefaultTrack", "ADMDialog.DefaultNotify", "ADMDialog.SetUserData",
    "ADMDialog.GetUserData", "ADMDialog.GetPluginRef", "ADMDialog.Show", "ADMDialog.IsVisible",
    "ADMDialog.GetBoundsRect", "ADMDialog.SetBoundsRect", "ADMDialog.Move", "ADMDialog.GetItem",
    "ADMDialogGroup.GetDialogGroupInfo", "ADMDialogGroup.SetDialogGroupInfo",
    "ADMDrawer.GetBoundsRect", "ADMDrawer.SetADMColor", "ADMDrawer.SetDrawMode",
    "ADMDrawer.DrawLine", "ADMDrawer.FillPolygon", "ADMDrawer.FillRect", "ADMDrawer.Create",
    "ADMDrawer.Release", "ADMEntry.GetIndex", "ADMEntry.Enable", "ADMEntry.Check",
    "ADMList.SetMenuID", "ADMList.GetEntry", "ADMList.GetActiveEntry", "ADMNotifier.IsNotifierType",
    "ADMTracker.TestAction", "ADMTracker.TestModifier", "ADMItem.Create", "ADMItem.Destroy",
    "ADMItem.SetDrawProc", "ADMItem.SetTrackProc", "ADMItem.SetNotifyProc",
    "ADMItem.SetDestroyProc", "ADMItem.SetTextToFloatProc", "ADMItem.SetFloatToTextProc",
    "ADMItem.DefaultDraw", "ADMItem.DefaultTrack", "ADMItem.DefaultNotify",
    "ADMItem.DefaultTextToFloat", "ADMItem.DefaultFloatToText", "ADMItem.SetUserData",
    "ADMItem.GetUserData", "ADMItem.GetID", "ADMItem.GetList", "ADMItem.GetChildItem",
    "ADMItem.Show", "ADMItem.IsVisible", "ADMItem.Enable", "ADMItem.Move", "ADMItem.Invalidate",
    "ADMItem.SetTipString", "ADMItem.SetText", "ADMItem.GetText", "ADMItem.SetJustify",
    "ADMItem.SetUnits", "ADMItem.SetPrecision", "ADMItem.SetBooleanValue",
    "ADMItem.GetBooleanValue", "ADMItem.SetIntValue", "ADMItem.GetIntValue",
    "ADMItem.SetFloatValue", "ADMItem.GetFloatValue", "ADMItem.SetMinIntValue",
    "ADMItem.SetMaxIntValue", "ADMItem.SetMinFloatValue", "ADMItem.SetSmallIncrement",
    "ADMItem.SetLargeIncrement"};

TEST(PluginOperations, ASessionWithEveryKindOfActionCallsOnlyNamedOperations) {
  const auto run = PlaySession(test::PluginPath(), ReferenceSessionLines(true));
  ASSERT_NE(run->session, nullptr) << run->startFailure;
  const std::vector<std::string> called = run->session->host().faults().CalledOperations();
  std::vector<std::string> unnamed;
  std::copy_if(called.begin(), called.end(), std::back_inserter(unnamed),
               [](const std::string& operation) { return kNamedOperations.count(operation) == 0; });
  EXPECT_EQ(unnamed, std::vector<std::string>{});
  // The dialog manager's calls are seen too, not only the artwork's.
  EXPECT_GT(run->session->host().faults().Calls("ADMItem.SetText"), 0);
  EXPECT_GT(run->session->host().faults().Calls("AIPath.GetPathClosed"), 0);
}

}  // namespace
}  // namespace tavrix::validator
