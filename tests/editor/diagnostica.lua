-- Headless Neovim with the configuration of editors/nvim: opens one
-- description text, waits for the diagnostics of scenari-tool lsp and
-- writes each as "LINE:COLUMN CODE MESSAGE" into SCENARI_OUT, with the
-- buffer's filetype, encoding and line ends; applies the quick fix the
-- server offers on the first and waits for the diagnostics to clear, then
-- quits.
local tool = os.getenv('SCENARI_TOOL')
local text = os.getenv('SCENARI_TEXT')
local out = os.getenv('SCENARI_OUT')

require('scenari').setup({ tool = tool })
vim.cmd('edit ' .. vim.fn.fnameescape(text))
local buf = vim.api.nvim_get_current_buf()

local found = vim.wait(20000, function() return #vim.diagnostic.get(buf) > 0 end, 50)
local lines = {
  string.format('buffer: %s %s %s', vim.bo[buf].filetype, vim.bo[buf].fileencoding,
                vim.bo[buf].fileformat),
}
for _, d in ipairs(vim.diagnostic.get(buf)) do
  local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code)
  table.insert(lines, string.format('%d:%d %s %s', d.lnum + 1, d.col + 1, tostring(code),
                                    d.message:gsub('\n', ' | ')))
end

-- The mistake mended by the server's quick fix: the diagnostics that follow
-- the change must be empty.
local mended = false
if found then
  local at = vim.diagnostic.get(buf)[1].lnum
  local params = {
    textDocument = { uri = vim.uri_from_bufnr(buf) },
    range = { start = { line = at, character = 0 }, ['end'] = { line = at, character = 0 } },
    context = { diagnostics = {} },
  }
  local answers = vim.lsp.buf_request_sync(buf, 'textDocument/codeAction', params, 10000) or {}
  for _, answer in pairs(answers) do
    for _, action in ipairs(answer.result or {}) do
      table.insert(lines, 'fix: ' .. action.title)
      vim.lsp.util.apply_workspace_edit(action.edit, 'utf-16')
    end
  end
  mended = vim.wait(20000, function() return #vim.diagnostic.get(buf) == 0 end, 50)
  table.insert(lines, mended and 'mended: no diagnostic' or 'mended: diagnostics remain')
  vim.cmd('write')
end
for _, line in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
  if line:find('MARINELL') then table.insert(lines, 'name: ' .. line:match('LAGO MARINELL.*$')) end
end
vim.fn.writefile(lines, out)
vim.lsp.stop_client((vim.lsp.get_clients or vim.lsp.get_active_clients)())
vim.cmd((found and mended) and 'qall!' or 'cquit! 1')
