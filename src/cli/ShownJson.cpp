#include "cli/ShownJson.h"

#include "cli/Json.h"
#include "screens/ShownValues.h"

#include <vector>

namespace {

std::string ValueJson(const ShownValue& value)
{
    return "{\"label\": " + JsonString(value.label) + ", \"text\": " + JsonString(value.text) +
           ", \"unit\": " + JsonString(value.unit) + ", \"mark\": " + JsonString(value.mark) +
           ", \"state\": " + std::to_string(static_cast<int>(value.state)) + "}";
}

std::string ValuesJson(const std::vector<ShownValue>& values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i ? ", " : "") + ValueJson(values[i]);
    return out + "]";
}

std::string GraphJson(const ShownGraph& graph)
{
    return "{\"top\": " + JsonString(graph.top) + ", \"bottom\": " + JsonString(graph.bottom) +
           ", \"cursor\": " + std::to_string(graph.cursor) + ", \"reference\": " + std::to_string(graph.reference) +
           "}";
}

} // namespace

std::string ShownJson(const ShownRecord& shown)
{
    std::string out = "{\"values\": " + ValuesJson(shown.values) + ",\n    \"channels\": " + ValuesJson(shown.channels);
    if (shown.graph)
        out += ",\n    \"graph\": " + GraphJson(*shown.graph);
    return out + "}";
}
