// A plug-in's compiled resources, whatever they hold: the table, every string, every dialog and
// menu template and the property list are read without looking outside the bytes.
#include <cstddef>
#include <cstdint>

#include "host/Pipl.h"
#include "host/ResourceTable.h"
#include "host/dialog/DialogTemplate.h"

using namespace tavrix::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const ResourceTable table = ResourceTable::Parse(ByteView{data, size});
    for (uint32_t id = 30000; id < 30230; ++id) (void)table.String(id);
    for (const Resource& resource : table.resources()) {
      const ByteView bytes{resource.data.data(), resource.data.size()};
      try {
        if (resource.type.Is(kDialogResourceType)) (void)ParseDialogTemplate(bytes);
        if (resource.type.Is(kMenuResourceType)) (void)ParseMenuTemplate(bytes);
      } catch (const ResourceError&) {
      }
    }
    if (const Resource* pipl = table.Find(kPiplResourceType, kPiplResourceId)) {
      try {
        (void)CheckPipl(ParsePipl(ByteView{pipl->data.data(), pipl->data.size()}));
      } catch (const PiplError&) {
      }
    }
  } catch (const ResourceError&) {
  }
  return 0;
}
