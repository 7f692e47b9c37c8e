#pragma once

namespace Terminal {

// A terminal without a screen must never wait for a person: message boxes print their title and
// text on stderr and answer their default button (OK, or Yes for a question), and password
// prompts are cancelled (so an order that needs the password is not sent). Process-wide.
void InstallHeadlessResponders();

}  // namespace Terminal
