#pragma once

/** Registers every resource file compiled into the UI library (call before using ":/" paths);
 *  calling it again does nothing. */
void tavlorInitResources();
