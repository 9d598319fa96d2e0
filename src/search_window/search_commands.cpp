// search_commands.cpp - (being built)
