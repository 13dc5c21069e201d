#pragma once

// Ctrl+C (and a polite kill) for long commands: once caught, an interrupt no
// longer ends the process at once but sets a flag that the command checks
// between records, so it can stop with every file whole.
void CatchInterrupts();
bool Interrupted();
