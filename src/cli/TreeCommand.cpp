#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/ScanOutput.h"
#include "screens/TextCodec.h"

#include <cstdio>

namespace {

constexpr const char* kUsage = "usage: kr80a tree DATA_ROOT [--json]";

void AppendTextTree(const CardTree& tree, int id, int depth, std::string& out)
{
    const TreeNode* node = tree.Node(id);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += '[' + std::to_string(id) + "] " + OneLine(DisplayLabel(*node)) + '\n';
    for (int child : node->m_children)
        AppendTextTree(tree, child, depth + 1, out);
}

std::string ItemJson(const CardTree& tree, const TreeNode& node)
{
    const CDataItem& item = *tree.FindItem(node.m_nId);
    std::string out = "{\"id\": " + std::to_string(node.m_nId) +
                      ", \"parent\": " + std::to_string(node.m_nParent) +
                      ", \"kind\": " + std::to_string(item.m_nKind) +
                      ", \"label\": " + JsonString(DisplayLabel(node));
    if (item.m_nKind != kindFolder) {
        out += ", \"number\": " + JsonString(DecodeCardText(item.m_strNumber)) +
               ", \"count\": " + JsonString(DecodeCardText(item.m_strCount)) +
               ", \"csvPath\": " + JsonString(item.m_strCsvPath.Str());
    }
    if (item.m_nKind == kindMulti) {
        out += ", \"channels\": [";
        for (std::size_t i = 0; i < item.m_channels.size(); ++i)
            out += (i ? ", " : "") + RecordRowJson(item.m_channels[i]);
        out += "]";
    } else if (item.m_nKind != kindFolder) {
        out += ", \"row\": " + RecordRowJson(item.m_row);
    }
    return out + "}";
}

void AppendJsonItems(const CardTree& tree, int id, std::string& out)
{
    const TreeNode* node = tree.Node(id);
    out += (out.back() == '[' ? "\n    " : ",\n    ") + ItemJson(tree, *node);
    for (int child : node->m_children)
        AppendJsonItems(tree, child, out);
}

} // namespace

int RunTreeCommand(const std::vector<std::string>& args)
{
    std::string dataRoot;
    bool json = false;
    bool haveRoot = false;
    for (const std::string& arg : args) {
        if (arg == "--json" && !json)
            json = true;
        else if (!haveRoot && !(arg.size() > 1 && arg.starts_with("--")))
            dataRoot = arg, haveRoot = true;
        else
            return UsageError(kUsage);
    }
    if (!haveRoot)
        return UsageError(kUsage);
    if (CheckDataRoot(dataRoot) != 0)
        return 1;

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.m_strDataRoot = dataRoot;
    tree.ScanDataRoot();

    std::string out;
    if (json) {
        out = "{\"dataRoot\": " + JsonString(dataRoot) + ",\n  \"items\": [";
        for (int root : tree.KindRoots())
            AppendJsonItems(tree, root, out);
        out += "\n  ],\n  \"messages\": " + MessagesJson(messages.m_shown) + "}\n";
    } else {
        for (int root : tree.KindRoots())
            AppendTextTree(tree, root, 0, out);
    }
    return WriteOutput(out);
}
