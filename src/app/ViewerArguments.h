#pragma once

#include <string>
#include <vector>

// What the viewer's command line asks for: `KR80A_Viewer [FOLDER]`, with
// --help and --version, and "--" before a folder whose name starts with "-".
// The toolkit's own options (-style, -platform, ...) are not among them: the
// toolkit never sees the command line.
struct ViewerArguments {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    // The folder to open, made absolute against the working folder (another
    // copy that receives it works elsewhere); empty for none.
    std::string folder;
    // For Wrong: what is wrong, one line.
    std::string problem;
};

// `arguments` are the ones after the program's name, as bytes.
ViewerArguments ParseViewerArguments(const std::vector<std::string>& arguments);

// The text of --help.
std::string ViewerUsage(const std::string& program);
