// AI Matching Art, MdMemory, Path, Art and Document: the artwork of the current document.
#include <algorithm>
#include <cmath>
#include <limits>

#include "host/artwork/PathGeometry.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

namespace tavrix::host {
namespace {

// The path a handle names in the current document, or null.
DocumentPath* PathOf(Host& host, AIArtHandle art) {
  return host.document() != nullptr ? host.document()->Path(art) : nullptr;
}

bool Matches(const DocumentPath& path, const AIMatchingArtCriterion& criterion) {
  if (criterion.type != kAIPathArtType) return false;
  const int32_t have = path.IsSelected() ? kAIArtSelectedAttribute : 0;
  return (have & criterion.whichAttributes) == (criterion.attributes & criterion.whichAttributes);
}

// Whether every criterion asks for selected art: then only the selected paths need a look.
bool OnlySelectedArtMatches(const AIMatchingArtCriterion* criteria, int16_t count) {
  for (int16_t i = 0; i < count; ++i) {
    if ((criteria[i].whichAttributes & kAIArtSelectedAttribute) == 0 ||
        (criteria[i].attributes & kAIArtSelectedAttribute) == 0) {
      return false;
    }
  }
  return true;
}

// The handles of the document's paths that meet any of the criteria, in document order.
std::vector<AIArtHandle> MatchingPaths(Document& document, const AIMatchingArtCriterion* criteria,
                                       int16_t numCriteria) {
  std::vector<AIArtHandle> found;
  if (OnlySelectedArtMatches(criteria, numCriteria)) {
    // Whether a selected path matches depends on nothing else about it.
    const std::vector<size_t>& selected = document.SelectedPaths();
    if (!selected.empty()) {
      const DocumentPath& sample = document.paths()[selected.front()];
      if (std::any_of(criteria, criteria + numCriteria,
                      [&](const AIMatchingArtCriterion& c) { return Matches(sample, c); })) {
        found = document.SelectedHandles();
      }
    }
    return found;
  }
  for (const DocumentPath& path : document.paths()) {
    if (std::any_of(criteria, criteria + numCriteria,
                    [&](const AIMatchingArtCriterion& c) { return Matches(path, c); })) {
      found.push_back(path.handle);
    }
  }
  return found;
}

ASErr GetMatchingArt(const AIMatchingArtCriterion* criteria, int16_t numCriteria,
                     AIArtHandle*** matches, int32_t* numMatches) {
  return HostCall("AIMatchingArt.GetMatchingArt", [&](Host& host) {
    if (criteria == nullptr || numCriteria <= 0 || matches == nullptr || numMatches == nullptr) {
      return kBadParameterErr;
    }
    if (host.document() == nullptr) return kNoDocumentErr;
    const std::vector<AIArtHandle> found = MatchingPaths(*host.document(), criteria, numCriteria);
    // A memory handle: one block holding the master pointer and, after it, the array it points
    // to, so that disposing of the handle frees both.
    void* block = nullptr;
    const ASErr error = host.memoryHandles().Allocate(
        sizeof(AIArtHandle*) + found.size() * sizeof(AIArtHandle), &block);
    if (error != kNoErr) return error;
    AIArtHandle** handle = static_cast<AIArtHandle**>(block);
    *handle = reinterpret_cast<AIArtHandle*>(static_cast<char*>(block) + sizeof(AIArtHandle*));
    std::copy(found.begin(), found.end(), *handle);
    *matches = handle;
    *numMatches = static_cast<int32_t>(found.size());
    return kNoErr;
  });
}

ASErr DisposeHandle(void* handle) {
  return HostCall("AIMdMemory.MdMemoryDisposeHandle",
                  [&](Host& host) { return host.memoryHandles().Dispose(handle); });
}

// A range of anchors [index, index + count) of the path, checked.
bool InRange(const DocumentPath& path, int16_t index, int16_t count) {
  return index >= 0 && count >= 0 &&
         static_cast<size_t>(index) + static_cast<size_t>(count) <= path.segments.size();
}

ASErr GetPathSegmentCount(AIArtHandle art, int16_t* count) {
  return HostCall("AIPath.GetPathSegmentCount", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || count == nullptr) return kBadParameterErr;
    *count = static_cast<int16_t>(path->segments.size());
    return kNoErr;
  });
}

ASErr GetPathSegments(AIArtHandle art, int16_t index, int16_t count, PathSegment* segments) {
  return HostCall("AIPath.GetPathSegments", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || segments == nullptr || !InRange(*path, index, count))
      return kBadParameterErr;
    std::copy_n(path->segments.begin() + index, count, segments);
    return kNoErr;
  });
}

// A measure of a path near the float limit can exceed it; the plug-in gets the largest float
// of that sign rather than an infinity it would show as "inf" or "nan".
float Saturated(double value) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  if (std::isnan(value)) return 0.0f;
  return static_cast<float>(std::clamp(value, -kLargest, kLargest));
}

bool IsFinite(const RealPoint& p) {
  return std::isfinite(p.h) && std::isfinite(p.v);
}

ASErr SetPathSegments(AIArtHandle art, int16_t index, int16_t count, const PathSegment* segments) {
  return HostCall("AIPath.SetPathSegments", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || segments == nullptr || !InRange(*path, index, count))
      return kBadParameterErr;
    // The artwork never takes a point that is not a number.
    for (int16_t i = 0; i < count; ++i) {
      if (!IsFinite(segments[i].p) || !IsFinite(segments[i].in) || !IsFinite(segments[i].out)) {
        return kBadParameterErr;
      }
    }
    host.document()->SetSegments(*path, static_cast<size_t>(index),
                                 std::vector<PathSegment>(segments, segments + count));
    return kNoErr;
  });
}

ASErr GetPathSegmentSelected(AIArtHandle art, int16_t index, int16_t* selected) {
  return HostCall("AIPath.GetPathSegmentSelected", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || selected == nullptr || !InRange(*path, index, 1))
      return kBadParameterErr;
    *selected = path->selection[static_cast<size_t>(index)];
    return kNoErr;
  });
}

ASErr SetPathSegmentSelected(AIArtHandle art, int16_t index, int16_t selected) {
  return HostCall("AIPath.SetPathSegmentSelected", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || !InRange(*path, index, 1)) return kBadParameterErr;
    host.document()->SetAnchorSelection(*path, static_cast<size_t>(index), selected);
    return kNoErr;
  });
}

ASErr GetPathClosed(AIArtHandle art, AIBoolean* closed) {
  return HostCall("AIPath.GetPathClosed", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || closed == nullptr) return kBadParameterErr;
    *closed = path->closed;
    return kNoErr;
  });
}

// The stand-in host measures the curves exactly, which any flatness a caller asks for allows.
ASErr GetPathLength(AIArtHandle art, float* length, float /*flatness*/) {
  return HostCall("AIPath.GetPathLength", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || length == nullptr) return kBadParameterErr;
    *length = Saturated(host.measures().Length(*path));
    return kNoErr;
  });
}

ASErr GetPathArea(AIArtHandle art, float* area) {
  return HostCall("AIPath.GetPathArea", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || area == nullptr) return kBadParameterErr;
    *area = Saturated(host.measures().Area(*path));
    return kNoErr;
  });
}

ASErr GetArtBounds(AIArtHandle art, const void* /*transform*/, int32_t /*options*/,
                   AIRealRect* bounds) {
  return HostCall("AIArt.GetArtBounds", [&](Host& host) {
    DocumentPath* path = PathOf(host, art);
    if (path == nullptr || bounds == nullptr) return kBadParameterErr;
    // Paths carry no stroke in this host, so every option gives the geometry's own bounds.
    const AIRealRect found = host.measures().Bounds(*path);
    *bounds = AIRealRect{Saturated(found.left), Saturated(found.top), Saturated(found.right),
                         Saturated(found.bottom)};
    return kNoErr;
  });
}

ASErr GetDocumentRulerUnits(int16_t* units) {
  return HostCall("AIDocument.GetDocumentRulerUnits", [&](Host& host) {
    if (units == nullptr) return kBadParameterErr;
    if (host.document() == nullptr) return kNoDocumentErr;
    *units = host.document()->rulerUnits();
    return kNoErr;
  });
}

ASErr GetNthDocumentView(int32_t n, AIDocumentViewHandle* view) {
  return HostCall("AIDocumentView.GetNthDocumentView", [&](Host& host) {
    if (view == nullptr) return kBadParameterErr;
    if (host.document() == nullptr) return kNoDocumentErr;
    // The document has one window.
    if (n != 0) return kBadParameterErr;
    *view = DocumentView::kHandle;
    return kNoErr;
  });
}

ASErr ArtworkPointToViewPoint(AIDocumentViewHandle view, const RealPoint* artwork,
                              AIPoint* viewPoint) {
  return HostCall("AIDocumentView.ArtworkPointToViewPoint", [&](Host& host) {
    if (view != DocumentView::kHandle || artwork == nullptr || viewPoint == nullptr)
      return kBadParameterErr;
    if (host.document() == nullptr) return kNoDocumentErr;
    *viewPoint = host.view().ArtworkToView(*artwork);
    return kNoErr;
  });
}

const AIMatchingArtSuite kMatchingArt = {&GetMatchingArt};
const AIMdMemorySuite kMdMemory = {&DisposeHandle};
const AIPathSuite kPath = {
    &GetPathSegmentCount,    &GetPathSegments, &SetPathSegments, &GetPathSegmentSelected,
    &SetPathSegmentSelected, &GetPathClosed,   &GetPathLength,   &GetPathArea};
const AIArtSuite kArt = {&GetArtBounds};
const AIDocumentSuite kDocument = {&GetDocumentRulerUnits};
const AIDocumentViewSuite kDocumentView = {&GetNthDocumentView, &ArtworkPointToViewPoint};

}  // namespace

void InstallArtworkSuites(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &kMatchingArt);
  suites.Offer(kAIMdMemorySuite, kAIMdMemorySuiteVersion, &kMdMemory);
  suites.Offer(kAIPathSuite, kAIPathSuiteVersion, &kPath);
  suites.Offer(kAIArtSuite, kAIArtSuiteVersion, &kArt);
  suites.Offer(kAIDocumentSuite, kAIDocumentSuiteVersion, &kDocument);
  suites.Offer(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &kDocumentView);
  for (const char* operation :
       {"AIMatchingArt.GetMatchingArt", "AIMdMemory.MdMemoryDisposeHandle",
        "AIPath.GetPathSegmentCount", "AIPath.GetPathSegments", "AIPath.SetPathSegments",
        "AIPath.GetPathSegmentSelected", "AIPath.SetPathSegmentSelected", "AIPath.GetPathClosed",
        "AIPath.GetPathLength", "AIPath.GetPathArea", "AIArt.GetArtBounds",
        "AIDocument.GetDocumentRulerUnits", "AIDocumentView.GetNthDocumentView",
        "AIDocumentView.ArtworkPointToViewPoint"}) {
    faults.Register(operation);
  }
}

}  // namespace tavrix::host
