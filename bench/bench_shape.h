// The synthetic shape of the engine's benchmark: pop-ups of two choices in
// chains. Every control enables the next one of its chain ("condition") and
// hands it its value ("cooperation"); every fifth one also enables the
// control two ahead through a logical sum and shows or hides it; every
// chain's middle conflicts with the head of the next chain (the answer
// "Yes" turns that head "On"). The same links make the printer description
// of the CUPS peer (cups_peer.h).
#pragma once

#include <string>
#include <vector>

#include "platform/foundation/value.h"

namespace bench {

struct Shape {
  int chains = 20;
  int length = 20;
  int controls() const { return chains * length; }
};

// The main keyword of one position of one chain.
inline std::string keyOf(int chain, int position) {
  return "Setting" + std::to_string(chain) + "_" + std::to_string(position);
}

// A link of the shape between two settings: when `from` has the value
// `fromValue`, `to` may not have the value `toValue`.
struct Link {
  std::string from, fromValue, to, toValue;
};

// The constraint links: a disabled next control (condition) may not be
// "On" while its source is "Off"; a chain's middle "On" conflicts with the
// next chain's head "Off".
inline std::vector<Link> linksOf(const Shape& shape) {
  std::vector<Link> links;
  for (int chain = 0; chain < shape.chains; ++chain) {
    for (int position = 0; position + 1 < shape.length; ++position)
      links.push_back({keyOf(chain, position), "Off", keyOf(chain, position + 1), "On"});
    if (shape.chains > 1)
      links.push_back({keyOf(chain, shape.length / 2), "On", keyOf((chain + 1) % shape.chains, 0), "Off"});
  }
  return links;
}

inline orval::Dict onOffTable(const std::string& target, const orval::Value& whenOff, const orval::Value& whenOn) {
  return orval::Dict{{"Off", orval::Dict{{target, whenOff}}}, {"On", orval::Dict{{target, whenOn}}}};
}

// The control description of one position of one chain.
inline orval::Dict describe(const Shape& shape, int chain, int position) {
  using orval::Array;
  using orval::Dict;
  const std::string keyword = keyOf(chain, position);
  Dict d{{"mainKeyword", keyword},
         {"control_type", "PopupButton"},
         {"text", keyword},
         {"choices", Array{Dict{{"choice", "Off"}, {"text", "Off"}}, Dict{{"choice", "On"}, {"text", "On"}}}},
         {"default", "Off"}};
  if (position + 1 < shape.length) {
    const std::string next = keyOf(chain, position + 1);
    d.set("condition", onOffTable(next, false, true));
    d.set("cooperation", onOffTable(next, "Off", "On"));
  }
  if (position % 5 == 0 && position + 2 < shape.length) {
    const std::string skip = keyOf(chain, position + 2);
    d.set("logical_sum_condition", onOffTable(skip, true, true));
    d.set("hide", onOffTable(skip, false, false));
  }
  if (position == shape.length / 2 && shape.chains > 1) {
    const std::string other = keyOf((chain + 1) % shape.chains, 0);
    d.set("conflict", Dict{{"On", Dict{{other, Dict{{"Off", Dict{{"restore", "On"}}}}}}}});
  }
  return d;
}

}  // namespace bench
