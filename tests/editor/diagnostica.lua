-- Headless Neovim with scenari-tool lsp attached to one description text:
-- waits for the server's diagnostics and writes each as
-- "LINE:COLUMN CODE MESSAGE" into SCENARI_OUT, mends the line of the first
-- and waits for the diagnostics to clear, then quits.
local tool = os.getenv('SCENARI_TOOL')
local text = os.getenv('SCENARI_TEXT')
local out = os.getenv('SCENARI_OUT')

vim.cmd('edit ' .. vim.fn.fnameescape(text))
local buf = vim.api.nvim_get_current_buf()
-- start_client and buf_attach_client, since vim.lsp.start is newer than
-- the Neovim of some distributions.
local client = vim.lsp.start_client({
  name = 'scenari',
  cmd = { tool, 'lsp' },
  root_dir = vim.fn.fnamemodify(text, ':p:h'),
})
vim.lsp.buf_attach_client(buf, client)

local found = vim.wait(20000, function() return #vim.diagnostic.get(buf) > 0 end, 50)
local lines = {}
for _, d in ipairs(vim.diagnostic.get(buf)) do
  local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code)
  table.insert(lines, string.format('%d:%d %s %s', d.lnum + 1, d.col + 1, tostring(code),
                                    d.message:gsub('\n', ' | ')))
end

-- The mistake mended in the buffer: the diagnostics that follow the change
-- must be empty.
local mended = false
if found then
  local at = vim.diagnostic.get(buf)[1].lnum
  local line = vim.api.nvim_buf_get_lines(buf, at, at + 1, false)[1]
  vim.api.nvim_buf_set_lines(buf, at, at + 1, false, { (line:gsub('^segnalle', 'segnale')) })
  mended = vim.wait(20000, function() return #vim.diagnostic.get(buf) == 0 end, 50)
  table.insert(lines, mended and 'mended: no diagnostic' or 'mended: diagnostics remain')
end
vim.fn.writefile(lines, out)
vim.lsp.stop_client(client)
vim.cmd((found and mended) and 'qall!' or 'cquit! 1')
