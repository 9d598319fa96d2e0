// password_input.h - where corvane-search gets a bind password: the first line of a file or of
// standard input, or a prompt on the terminal with echo off. Never the command line or the
// environment, where other programs can read it.
#pragma once

#include <string>

#include "directory/password.h"

/** How getting a password ended. */
struct PasswordInput {
    enum class Status { Read, Failed, Interrupted };
    Status status = Status::Failed;
    Password password;
    std::string error;  ///< one line saying what is wrong, when Failed
};

/// A failed input saying error.
PasswordInput PasswordFailed(std::string error);
/// A read password, taken out of line (which is left wiped).
PasswordInput PasswordTaken(std::string& line);

/// The first line of the file at path, or of standard input for "-": the bytes before the first
/// line end (LF, a CR before it dropped). Failed when the file cannot be read or the line is empty.
PasswordInput ReadPasswordFile(const std::string& path);

/// True when standard input is a terminal a password can be asked on.
bool CanPromptForPassword();

/// Asks for the password of bindUser on the terminal: the prompt goes to the terminal, the
/// answer is read from standard input with echo off, and echo comes back however the prompt ends.
/// Interrupted when Ctrl+C ends the prompt.
PasswordInput PromptForPassword(const std::string& bindUser);
