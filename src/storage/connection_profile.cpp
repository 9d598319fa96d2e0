// connection_profile.cpp - (being built)
