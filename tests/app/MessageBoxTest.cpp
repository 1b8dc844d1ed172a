#include "toolkit/app/MessageBox.h"
#include "toolkit/app/MessageForm.h"
#include "toolkit/app/MessageIcons.h"
#include "toolkit/gdi/Canvas.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ConfirmDeleteRecord, asksTheToolkitQuestionAndFollowsTheAnswer)
{
    {
        TMessageBoxHook boxes(IDOK);
        EXPECT_TRUE(ConfirmDeleteRecord());
        ASSERT_EQ(boxes.Count(), 1);
        const TMessageBoxRequest &box = boxes.Requests().front();
        EXPECT_EQ(box.text, QStringLiteral("Delete record?"));
        EXPECT_EQ(box.caption, QStringLiteral("Confirm"));
        EXPECT_EQ(box.icon, TMsgIcon::Question);
        EXPECT_EQ(box.buttons, TMsgButtons::OKCancel);
    }
    TMessageBoxHook refuse(IDCANCEL);
    EXPECT_FALSE(ConfirmDeleteRecord());
}

TEST(MessageBoxHook, theNewestHookAnswersAndTheOlderOneReturns)
{
    TMessageBoxHook outer(IDOK);
    {
        TMessageBoxHook inner([](const TMessageBoxRequest &) { return IDCANCEL; });
        EXPECT_EQ(MessageBox("a", "b", TMsgIcon::None, TMsgButtons::OKCancel), IDCANCEL);
        EXPECT_EQ(inner.Count(), 1);
    }
    EXPECT_EQ(MessageBox("a", "b", TMsgIcon::None, TMsgButtons::OKCancel), IDOK);
    EXPECT_EQ(outer.Count(), 1);
}

TEST(MessageBoxHook, aBoxNobodyExpectedFailsTheTestAndIsAnsweredAsByEscape)
{
    static int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = MessageBox("Line lost", "Directory", TMsgIcon::Error, TMsgButtons::OKCancel),
                            "unexpected message box \"Directory\": Line lost");
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_NONFATAL_FAILURE(answer = MessageBox("Saved", "Directory"), "Saved");
    EXPECT_EQ(answer, IDOK);
}

// Runs MessageBox with the real box and acts on it once it is up.
int AnswerRealBox(const TMessageBoxRequest &request, const std::function<void(TMessageForm &)> &act)
{
    const TMessageBoxHook realBox(TMessageBoxHook::kShowRealBoxes);
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<TMessageForm *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
    return MessageBox(request.text, request.caption, request.icon, request.buttons);
}

TEST(MessageBoxWindow, showsTheToolkitButtonsAndAnswersByKeyAndCloseBox)
{
    const TMessageBoxRequest question{"Delete record?", "Confirm", TMsgIcon::Question, TMsgButtons::OKCancel};
    QStringList captions;
    int answer = AnswerRealBox(question, [&](TMessageForm &box) {
        captions << box.Caption() << box.Button(IDOK)->text() << box.Button(IDCANCEL)->text();
        QTest::keyClick(box.Button(IDOK), Qt::Key_Escape);
    });
    EXPECT_EQ(captions, (QStringList{"Confirm", "OK", "Cancel"}));
    EXPECT_EQ(answer, IDCANCEL);

    answer = AnswerRealBox(question, [](TMessageForm &box) { QTest::keyClick(box.Button(IDOK), Qt::Key_Return); });
    EXPECT_EQ(answer, IDOK);

    answer = AnswerRealBox(question, [](TMessageForm &box) { box.Close(); });
    EXPECT_EQ(answer, IDCANCEL);

    const TMessageBoxRequest plain{"Готово", "Справочник", TMsgIcon::None, TMsgButtons::OK};
    answer = AnswerRealBox(plain, [](TMessageForm &box) { box.Close(); });
    EXPECT_EQ(answer, IDOK) << "a box with OK alone answers OK when closed";
}

TEST(MessageBoxWindow, isADialogWideEnoughForItsTextAndButtons)
{
    const QString line = QStringLiteral("Телефонный справочник г. Велирск");
    TMessageForm narrow({QStringLiteral("x"), QString(), TMsgIcon::None, TMsgButtons::OKCancel});
    TMessageForm wide({line, QString(), TMsgIcon::Information, TMsgButtons::OK});
    EXPECT_EQ(narrow.BorderStyle(), bsDialog);
    EXPECT_GE(narrow.ClientSize().width(), 2 * 75 + 6);
    EXPECT_GT(wide.ClientSize().width(), narrow.ClientSize().width());
    EXPECT_GE(wide.ClientSize().height(), 32 + 23);
}

TEST(MessageBoxText, everyLineBreakPairCountsOnce)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a\n\rb", "a\nb"}, {"a\r\nb", "a\nb"}, {"a\rb\nc", "a\nb\nc"}, {"a\n\n\rb", "a\n\nb"}, {"plain", "plain"},
    };
    for (const auto &[text, laidOut] : cases)
        EXPECT_EQ(TMessageForm::NormalizedText(text), QString(laidOut)) << text;
}

TEST(MessageIcons, eachIconHasItsColoursAndNoneDrawsNothing)
{
    auto draw = [](TMsgIcon icon) {
        QImage image(kMessageIconSize, kMessageIconSize, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        TCanvas canvas(&image);
        DrawMessageIcon(canvas, TPoint(0, 0), icon);
        return image;
    };
    const QImage error = draw(TMsgIcon::Error);
    EXPECT_EQ(QColor(error.pixel(16, 16)), QColor(Qt::white)) << "the cross meets in the middle";
    EXPECT_GT(QColor(error.pixel(5, 16)).red(), 200);

    const QImage information = draw(TMsgIcon::Information);
    EXPECT_EQ(QColor(information.pixel(16, 15)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(information.pixel(8, 12)), QColor(Qt::white));

    const QImage none = draw(TMsgIcon::None);
    EXPECT_EQ(none, [] {
        QImage blank(kMessageIconSize, kMessageIconSize, QImage::Format_RGB32);
        blank.fill(Qt::magenta);
        return blank;
    }());
}

} // namespace
