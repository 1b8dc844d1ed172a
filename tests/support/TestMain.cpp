#include "support/LastResortWatch.h"

#include "toolkit/app/Application.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/Translation.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

// The answer a person gives by pressing Escape: nothing is deleted, changed
// or confirmed.
int RefuseUnexpectedBox(const TMessageBoxRequest &request)
{
    ADD_FAILURE() << "unexpected message box \"" << request.caption.toStdString()
                  << "\": " << request.text.toStdString();
    return request.buttons == TMsgButtons::OK ? IDOK : IDCANCEL;
}

} // namespace

// Every test binary runs inside one application object (offscreen platform
// under CTest), so that widgets, fonts, images and the handling of escaping
// exceptions behave as in the program, with the program's messages and Qt's own
// in the program's language. A message box that no test expected
// fails the running test at once instead of opening a modal loop that nobody
// answers; tests that expect a box install their own TMessageBoxHook, which
// answers while it lives. An exception that reaches the application's last
// resort fails the test too (LastResortWatch).
int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    if (!InstallTranslation(kProgramCatalogue)) {
        fprintf(stderr, "the program's message catalogue is missing\n");
        return 1;
    }
    InstallQtTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new LastResortWatch);
    const TMessageBoxHook unexpectedBoxes{TMessageBoxHook::Answer(RefuseUnexpectedBox)};
    return RUN_ALL_TESTS();
}
