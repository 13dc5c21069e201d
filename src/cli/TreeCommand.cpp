#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/ScanOutput.h"
#include "cli/StandardOutput.h"
#include "screens/TextCodec.h"

#include <charconv>

namespace {

void AppendNumber(std::string& out, int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void WriteTextTree(const CardTree& tree, int id, int depth, StandardOutput& output)
{
    std::string& out = output.Text();
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += '[';
    AppendNumber(out, id);
    out += "] ";
    out += OneLine(DisplayLabel(tree, id));
    out += '\n';
    output.Flush();
    const std::optional<TreeNode> node = tree.Node(id);
    for (int row = 0; row < node->m_nChildCount; ++row)
        WriteTextTree(tree, tree.Child(id, row), depth + 1, output);
}

void AppendItemJson(const CardTree& tree, int id, std::string& out)
{
    const TreeNode node = *tree.Node(id);
    const CDataItem item = *tree.FindItem(id);
    out += "{\"id\": ";
    AppendNumber(out, id);
    out += ", \"parent\": ";
    AppendNumber(out, node.m_nParent);
    out += ", \"kind\": ";
    AppendNumber(out, item.m_nKind);
    out += ", \"label\": ";
    AppendJsonString(out, DisplayLabel(tree, id));
    if (item.m_nKind != kindFolder) {
        out += ", \"number\": \"";
        AppendNumber(out, item.m_nNumber);
        out += "\", \"count\": ";
        AppendCardTextJson(out, item.m_strCount.Str());
        out += ", \"csvPath\": ";
        AppendJsonString(out, item.m_strCsvPath.Str());
    }
    if (item.m_nKind == kindMulti) {
        out += ", \"channels\": [";
        for (std::size_t i = 0; i < item.m_channels.size(); ++i) {
            if (i)
                out += ", ";
            AppendRecordRowJson(out, item.m_channels[i]);
        }
        out += "]";
    } else if (item.m_nKind != kindFolder) {
        out += ", \"row\": ";
        AppendRecordRowJson(out, item.m_row);
    }
    out += '}';
}

void WriteJsonItems(const CardTree& tree, int id, bool& first, StandardOutput& output)
{
    std::string& out = output.Text();
    out += first ? "\n    " : ",\n    ";
    first = false;
    AppendItemJson(tree, id, out);
    output.Flush();
    const std::optional<TreeNode> node = tree.Node(id);
    for (int row = 0; row < node->m_nChildCount; ++row)
        WriteJsonItems(tree, tree.Child(id, row), first, output);
}

} // namespace

int RunTreeCommand(const CommandArguments& args)
{
    const std::string& dataRoot = args.Positional()[0];
    const bool json = args.Has("json");
    if (CheckDataRoot(dataRoot) != 0)
        return 1;

    // The card and its messages are left for the end of the process to free:
    // taking apart hundreds of thousands of records one by one only costs
    // time when the process ends right after.
    auto& messages = *new ConsoleMessages;
    auto& tree = *new CardTree(messages);
    tree.ScanDataRoot(dataRoot);
    NoteLeftOut(tree);

    StandardOutput output;
    if (json) {
        output.Append("{\"dataRoot\": ");
        AppendJsonString(output.Text(), dataRoot);
        output.Append(",\n  \"items\": [");
        bool first = true;
        for (int root : tree.KindRoots())
            WriteJsonItems(tree, root, first, output);
        output.Append("\n  ],\n  \"messages\": " + MessagesJson(messages.m_shown) +
                      ",\n  \"leftOut\": " + LeftOutJson(tree) + "}\n");
    } else {
        for (int root : tree.KindRoots())
            WriteTextTree(tree, root, 0, output);
    }
    return output.Finish();
}
