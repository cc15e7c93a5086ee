#include "host/windows/ImportPatch.h"

#include <cstring>

namespace tavrix::host {
namespace {

// What the loader mapped: trusted as far as the loader itself trusted it to run the module.
template <class T>
T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

bool Rewrite(void** slot, void* replacement) {
  DWORD previous = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous)) return false;
  *slot = replacement;
  DWORD ignored = 0;
  VirtualProtect(slot, sizeof *slot, previous, &ignored);
  return true;
}

}  // namespace

int RedirectImport(HMODULE module, const char* dll, const char* function, void* replacement) {
  const auto* dos = At<const IMAGE_DOS_HEADER>(module, 0);
  const auto* nt = At<const IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0 || imports.Size == 0) return 0;
  int rewritten = 0;
  for (auto* entry = At<const IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (_stricmp(At<const char>(module, entry->Name), dll) != 0) continue;
    auto* addresses = At<IMAGE_THUNK_DATA>(module, entry->FirstThunk);
    if (entry->OriginalFirstThunk == 0) {
      // No lookup table: the loader wrote the addresses over the only copy of the names, so the
      // slot is known by the address the system's own DLL gives for the function.
      const HMODULE system = GetModuleHandleA(dll);
      const FARPROC target = system != nullptr ? GetProcAddress(system, function) : nullptr;
      if (target == nullptr) continue;
      for (; addresses->u1.Function != 0; ++addresses) {
        if (addresses->u1.Function != reinterpret_cast<ULONG_PTR>(target)) continue;
        if (Rewrite(reinterpret_cast<void**>(&addresses->u1.Function), replacement)) ++rewritten;
      }
      continue;
    }
    // The names are in the lookup table; the loader wrote the addresses over the other one.
    const auto* lookup = At<const IMAGE_THUNK_DATA>(module, entry->OriginalFirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) continue;
      const auto* byName =
          At<const IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(lookup->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      if (Rewrite(reinterpret_cast<void**>(&addresses->u1.Function), replacement)) ++rewritten;
    }
  }
  return rewritten;
}

}  // namespace tavrix::host
