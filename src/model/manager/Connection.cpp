#include "Connection.h"

#include "EqualizerManager.h"

namespace dravo {

Connection::Connection(EqualizerManager& manager) : m(manager) {}
Connection::~Connection() = default;

void Connection::BindView() {}
bool Connection::HandleMessage(Message&) { return false; }
void Connection::ConnectDevice(bool) {}
void Connection::DisconnectDevice() {}
void Connection::OnConnected() {}
void Connection::DevicePlugin(const std::string&) {}
void Connection::DevicePlugOut() {}
int Connection::PC_UI_Status_Init() { return -1; }
void Connection::ResetMcuFactoryDefault() {}
void Connection::UpdateDeviceList() {}
void Connection::SelectDevice(const std::string&) {}
void Connection::SelectFirstDevice() {}
void Connection::SetDevice() {}
void Connection::UpdateSelectDeviceIndex() {}
bool Connection::IsSelectedDeviceInList() { return false; }
void Connection::BeginEditDeviceName() {}
void Connection::FinishEditDeviceName() {}
bool Connection::Connected() const { return false; }

} // namespace dravo
