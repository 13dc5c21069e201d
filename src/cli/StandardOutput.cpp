#include "cli/StandardOutput.h"

#include "cli/Translation.h"

#include <cstdio>

void StandardOutput::WriteText()
{
    if (!m_failed && std::fwrite(m_text.data(), 1, m_text.size(), stdout) != m_text.size())
        m_failed = true;
    m_text.clear();
}

int StandardOutput::Finish()
{
    WriteText();
    if (!m_failed && std::fflush(stdout) == 0)
        return 0;
    m_failed = true;
    std::fprintf(stderr, "kr80a: %s\n", Tr("kr80a", "cannot write the output").c_str());
    return 1;
}
