// search_commands.cpp - SearchCommands: the commands over one query runner and one shown result.
#include "search_window/search_commands.h"

#include "search_window/bind_login.h"

SearchCommands::SearchCommands(SearchControls controls)
    : m_runner(controls.window, controls.status),
      m_fields(controls, m_runner),
      m_result(std::make_shared<ShownResult>()),
      m_bases(controls, m_runner, m_fields),
      m_search(controls, m_runner, m_fields, m_bases, m_result),
      m_details(controls, m_runner, m_fields, m_result),
      m_export(m_runner, m_result),
      m_copy(controls, m_runner, m_result)
{}

SearchCommands::~SearchCommands() = default;

void SearchCommands::SetBindLogin(std::unique_ptr<BindLogin> login)
{
    m_runner.SetBindLogin(std::move(login));
}
