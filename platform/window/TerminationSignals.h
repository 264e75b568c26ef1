#pragma once

namespace window {

// Turns SIGINT and SIGTERM into a close request for the window manager
// that runs on the calling thread (or the next one to run there), so that
// a program that is asked to stop still shuts down normally. The handler
// only writes to a pipe that the calling thread's event loop watches. A
// second signal of the same kind, after the first has been taken, ends
// the process as it normally would, for a program that no longer reacts.
// Call it once at start-up, after the Qt application object exists, on
// the thread that runs the main window; calling it again arms it again.
bool CloseOnTerminationSignals();

} // namespace window
