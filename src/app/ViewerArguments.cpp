#include "ViewerArguments.h"

#include <filesystem>
#include <system_error>

namespace {

std::string Absolute(const std::string& folder)
{
    if (folder.empty() || folder.front() == '/')
        return folder;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return error ? folder : absolute.lexically_normal().string();
}

ViewerArguments Wrong(std::string problem)
{
    ViewerArguments wrong;
    wrong.action = ViewerArguments::Action::Wrong;
    wrong.problem = std::move(problem);
    return wrong;
}

} // namespace

ViewerArguments ParseViewerArguments(const std::vector<std::string>& arguments)
{
    ViewerArguments parsed;
    std::vector<std::string> folders;
    bool optionsEnd = false;
    for (const std::string& argument : arguments) {
        if (optionsEnd || argument.empty() || argument.front() != '-' || argument == "-") {
            folders.push_back(argument);
        } else if (argument == "--") {
            optionsEnd = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.action = ViewerArguments::Action::Help;
        } else if (argument == "--version") {
            parsed.action = ViewerArguments::Action::Version;
        } else {
            return Wrong("不明なオプションです: " + argument);
        }
    }
    if (folders.size() > 1)
        return Wrong("フォルダは一つだけ指定してください");
    if (!folders.empty() && folders.front().empty())
        return Wrong("フォルダ名が空です");
    if (!folders.empty())
        parsed.folder = Absolute(folders.front());
    return parsed;
}

std::string ViewerUsage(const std::string& program)
{
    return "使い方: " + program + " [オプション] [フォルダ]\n"
           "KR80・KR80A のメモリカードの測定データを、メータの画面のとおりに表示します。\n"
           "フォルダを指定すると、フォルダ選択と同じようにそのフォルダを開きます。\n"
           "すでに起動しているときは、そのウィンドウを前面に出し、フォルダを渡します。\n"
           "\n"
           "  -h, --help   この説明を表示します\n"
           "  --version    バージョンを表示します\n"
           "  --           以降の引数をフォルダ名として扱います\n";
}
