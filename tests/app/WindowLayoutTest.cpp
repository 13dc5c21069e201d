#include "ViewerFixture.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class WindowLayoutTest : public ViewerTest {
protected:
    // Where `name` lies in the window's own coordinates.
    QRect InWindow(const char* name) const
    {
        const QWidget* widget = Child<QWidget>(name);
        return QRect(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size());
    }
};

// Parts added beside the form's own must not cover any of it: each pair here
// lies side by side, whatever the menu bar above them takes.
TEST_F(WindowLayoutTest, AddedPartsCoverNothing)
{
    StartOnCard();
    Child<QLabel>("m_statusLine")->setText("x");
    Child<QLabel>("m_statusLine")->show();
    m_window->adjustSize();
    const std::vector<std::pair<const char*, const char*>> apart = {
        {"m_filterEdit", "labelFolderCaption"}, {"m_filterEdit", "m_dataRootLabel"}, {"m_filterEdit", "m_tree"},
        {"m_filterCount", "m_dataRootLabel"},   {"m_filterCount", "m_tree"},       {"m_filterEdit", "m_filterCount"},
        {"m_statusLine", "m_clientArea"},       {"m_statusLine", "m_menuBar"}};
    for (const auto& [one, other] : apart)
        EXPECT_FALSE(InWindow(one).intersects(InWindow(other))) << one << " covers " << other;
    // The filter sits on top of the tree, the line at the window's foot.
    EXPECT_LE(InWindow("m_filterEdit").bottom(), InWindow("m_tree").top());
    EXPECT_GE(InWindow("m_filterEdit").top(), InWindow("m_dataRootLabel").bottom());
    EXPECT_GT(InWindow("m_statusLine").top(), InWindow("m_clientArea").bottom());
}

} // namespace
