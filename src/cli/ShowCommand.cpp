// kr80a show: one record of a card drawn as the viewer draws it, after an
// optional list of panel keys; its labels (or the values its screen shows as JSON)
// on standard output and, on request, its picture as a PNG or BMP file.
#include "cli/Commands.h"
#include "cli/Json.h"
#include "handon/OutputFile.h"
#include "handon/PictureFile.h"
#include "cli/ScanOutput.h"
#include "cli/ShownJson.h"
#include "cli/Translation.h"
#include "data/CardText.h"
#include "data/CardTree.h"
#include "screens/Canvas.h"
#include "screens/Font.h"
#include "screens/PanelNavigator.h"
#include "screens/RecordDisplay.h"
#include "screens/ShownValues.h"
#include "screens/TextCodec.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace {

struct KeyPress {
    InstrumentKey key;
    bool shift;
};

struct ShowOptions {
    std::string dataRoot;
    int id = 0;
    std::vector<KeyPress> keys;
    bool json = false;
    std::string outputPath;
};

std::optional<int> ParseId(const std::string& text)
{
    int id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || id < 0)
        return std::nullopt;
    return id;
}

// "left,shift+up,enter,down"
std::optional<std::vector<KeyPress>> ParseKeys(const std::string& list)
{
    static const std::pair<const char*, InstrumentKey> kNames[] = {
        {"left", InstrumentKey::Left}, {"right", InstrumentKey::Right}, {"up", InstrumentKey::Up},
        {"down", InstrumentKey::Down}, {"enter", InstrumentKey::Enter},
    };
    std::vector<KeyPress> keys;
    std::size_t begin = 0;
    while (begin <= list.size()) {
        const std::size_t comma = std::min(list.find(',', begin), list.size());
        std::string name = list.substr(begin, comma - begin);
        begin = comma + 1;
        const bool shift = name.starts_with("shift+");
        if (shift)
            name.erase(0, 6);
        std::optional<InstrumentKey> key;
        for (const auto& [text, value] : kNames)
            if (name == text)
                key = value;
        if (!key)
            return std::nullopt;
        keys.push_back({*key, shift});
    }
    return keys;
}

// The options with their values read; nothing, and `why` said, when a value
// is not one the command knows.
std::optional<ShowOptions> OptionsOf(const CommandArguments& args, std::string& why)
{
    ShowOptions options;
    options.dataRoot = args.Positional()[0];
    options.json = args.Has("json");
    options.outputPath = args.Value("o");
    const std::optional<int> id = ParseId(args.Positional()[1]);
    if (!id) {
        why = WithArguments(Tr("usage", "%1 is not an item id"), {args.Positional()[1]});
        return std::nullopt;
    }
    options.id = *id;
    if (args.Has("keys")) {
        auto keys = ParseKeys(args.Value("keys"));
        if (!keys) {
            why = WithArguments(Tr("usage", "%1 is not a list of panel keys"), {args.Value("keys")});
            return std::nullopt;
        }
        options.keys = std::move(*keys);
    }
    if (args.Has("o") && !EndsWithIgnoringCase(options.outputPath, ".png") &&
        !EndsWithIgnoringCase(options.outputPath, ".bmp")) {
        why = WithArguments(Tr("usage", "%1 does not end in .png or .bmp"), {options.outputPath});
        return std::nullopt;
    }
    return options;
}

std::string LabelsText(const RecordDisplay& display)
{
    std::string out;
    for (int i = 0; i < 4; ++i)
        out += OneLine(DecodeCardText(display.LabelText(RecordDisplay::Label(i)))) + '\n';
    return out;
}

std::string LabelsJson(const RecordDisplay& display)
{
    std::string out = "{\"screenId\": " + std::to_string(display.ScreenId()) + ",\n  \"labels\": {";
    for (int i = 0; i < 4; ++i)
        out += (i ? ", " : "") + JsonString(std::to_string(RecordDisplay::kLabelIds[i])) + ": " +
               JsonString(DecodeCardText(display.LabelText(RecordDisplay::Label(i))));
    return out + "},\n  \"fields\": " + ShownJson(ShownValues(display)) + "}\n";
}

} // namespace

int RunShowCommand(const CommandArguments& args)
{
    std::string why;
    const std::optional<ShowOptions> options = OptionsOf(args, why);
    if (!options)
        return WrongCall("show", why);
    if (const std::string problem = FontProblem(); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }

    if (CheckDataRoot(options->dataRoot) != 0)
        return 1;

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(options->dataRoot);
    const std::optional<CDataItem> item = tree.FindItem(options->id);
    if (!item) {
        std::fprintf(stderr, "kr80a: no item %d in %s\n", options->id,
                     OneLine(options->dataRoot).c_str());
        return 1;
    }

    RecordDisplay display;
    PanelNavigator navigator(tree, display);
    navigator.Select(options->id);
    Canvas canvas;
    display.Paint(canvas);
    // The tree here is always fully expanded: left and right while nothing
    // is shown, which would fold or unfold the viewer's tree, change nothing.
    for (const KeyPress& press : options->keys)
        if (navigator.Press(press.key, press.shift, canvas) == PanelNavigator::Outcome::Moved)
            display.Paint(canvas);

    const std::string out = options->json ? LabelsJson(display) : LabelsText(display);
    if (WriteOutput(out) != 0)
        return 1;

    if (!options->outputPath.empty()) {
        const PictureFormat format =
            EndsWithIgnoringCase(options->outputPath, ".png") ? PictureFormat::Png : PictureFormat::Bmp;
        const std::string bytes = EncodePicture(canvas, format);
        std::string error = "the picture could not be encoded";
        if (bytes.empty() || !WriteFileWhole(options->outputPath, bytes, error))
            return Failure(WithArguments(Tr("kr80a", "cannot write %1: %2"), {options->outputPath, error}));
    }
    return 0;
}
