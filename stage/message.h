#pragma once
// A message box, blank timed message or pop-up icon of the running stage.
// The message code completes it.
class cMessage {
public:
};
