#pragma once

#include <gtest/gtest.h>

// Fails a test in which an exception reached the application's last resort,
// notify(): the handler Qt called should have caught it (CallGuarded), and a
// test that expects the error box would not notice the difference otherwise.
// The test main installs one watch for the whole run.
class LastResortWatch : public ::testing::EmptyTestEventListener
{
public:
    // A test that exercises the last resort on purpose says so while the
    // exception is raised.
    class Expected
    {
    public:
        Expected();
        ~Expected();
        Expected(const Expected &) = delete;
        Expected &operator=(const Expected &) = delete;

    private:
        int m_countAtStart;
    };

    void OnTestStart(const ::testing::TestInfo &test) override;
    void OnTestEnd(const ::testing::TestInfo &test) override;

private:
    int m_countAtStart = 0;
};
