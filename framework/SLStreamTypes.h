// Stream types: what travels through a pin, by a GUID and a readable name.
#pragma once

#include <string>

namespace framework {

struct TSLStreamType {
  std::string guid;
  std::string name;
  bool operator==(const TSLStreamType& o) const { return guid == o.guid; }
};

}  // namespace framework
