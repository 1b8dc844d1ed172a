#include "support/LastResortWatch.h"

#include "toolkit/app/Application.h"

namespace {

// Last-resort catches that tests announced with LastResortWatch::Expected.
int expectedCount = 0;

} // namespace

LastResortWatch::Expected::Expected()
    : m_countAtStart(Application->LastResortCount())
{ }

LastResortWatch::Expected::~Expected()
{
    expectedCount += Application->LastResortCount() - m_countAtStart;
}

void LastResortWatch::OnTestStart(const ::testing::TestInfo &)
{
    m_countAtStart = Application->LastResortCount();
    expectedCount = 0;
}

// Listeners end a test before the result printer does, so the failure is
// reported with the test.
void LastResortWatch::OnTestEnd(const ::testing::TestInfo &)
{
    const int unexpected = Application->LastResortCount() - m_countAtStart - expectedCount;
    if (unexpected > 0)
        ADD_FAILURE() << unexpected
                      << " exception(s) unwound through Qt's event delivery to the application's last resort; "
                         "catch where Qt calls the handler (CallGuarded)";
}
