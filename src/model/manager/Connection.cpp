#include "Connection.h"

#include "EqualizerManager.h"

namespace dravo {

void Connection::BindView() {}

bool Connection::HandleMessage(Message&) { return false; }

} // namespace dravo
