#pragma once

// Dispatches the window messages waiting in the thread's queue, one at a
// time, until the queue is empty or the next message is a quit message
// (which stays queued for the message loop).
void PumpPendingMessages();

// True when mouse-button or keyboard messages wait in the queue (GetInputState).
bool InputPending();

// True while a message dispatched by PumpPendingMessages is handled, that
// is while a long operation (scan, fingerprint, duplicate marking) runs.
bool PumpingForLongOperation();
