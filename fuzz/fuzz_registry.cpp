// The registry file reader: any text parses without a fault, and every key
// and value it reads can be looked up again by its own name.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/kernel/registry_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  RegistryDocument doc = parseRegistry(text, "fuzz.reg");
  for (const RegistryKey& key : doc.keys) {
    fuzzCheck(registryKeyExists(doc, key.path), "a key read is there");
    for (const RegistryValue& value : key.values)
      fuzzCheck(findRegistryValue(doc, key.path, value.name) != nullptr, "a value read is there");
  }
  return 0;
}
