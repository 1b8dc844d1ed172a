#pragma once

#include <functional>
#include <memory>

class TApplication;
class TForm;

// The program's start-up around its event loop, in this order: the splash
// window is created, shown and painted; the program's forms are created; the
// splash window is destroyed, also when creating the forms failed; the event
// loop runs until the application terminates.
//
// An exception before the event loop reaches the last-resort handler: one
// "Application Error" box, and the exit code 1. Returns the exit code.
int RunProgram(TApplication &application, const std::function<std::unique_ptr<TForm>()> &createSplash,
               const std::function<void()> &createForms);

// Shows a form and dispatches messages until the window system has it on
// screen and it has painted, or a short while has passed.
void ShowAndPaint(TApplication &application, TForm &form);
