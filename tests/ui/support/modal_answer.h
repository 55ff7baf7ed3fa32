#pragma once

#include <functional>

class QWidget;

namespace tavlor::test {

/** Waits (from the event loop) for the next modal widget to show and hands it to act, which must
 *  close it. Call before the code that opens the modal widget. A modal widget that never shows
 *  makes the test fail after timeoutMs; in that case act is not called. */
void whenModalShows(std::function<void(QWidget*)> act, int timeoutMs = 5000);

/** True when whenModalShows gave up waiting since the last call of this function. */
bool modalWaitTimedOut();

} // namespace tavlor::test
