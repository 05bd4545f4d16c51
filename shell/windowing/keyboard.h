#pragma once
// The keys that press a control acting on a click (a caption that acts, a picture that opens a
// file), as Space and Enter press a button.
class QKeyEvent;

namespace keyboard {

bool presses(const QKeyEvent* e);

}  // namespace keyboard
