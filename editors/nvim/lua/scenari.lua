-- The two description texts of a scenario in Neovim (0.7 or later): the
-- line text ROUTE_linea.txt and the train text ROUTE_TRAIN-.txt are read
-- and written as Windows-1252 with CR LF line ends, get the filetypes
-- scenari_linea and scenari_treno, and have `scenari-tool lsp` attached.
--
--   vim.opt.runtimepath:append('/path/to/scenari/editors/nvim')
--   require('scenari').setup({ tool = 'scenari-tool' })
local M = {}

local patterns = {
  { pattern = '*_linea.txt', filetype = 'scenari_linea' },
  { pattern = '*-.txt', filetype = 'scenari_treno' },
}

local function pattern_list()
  local list = {}
  for _, p in ipairs(patterns) do table.insert(list, p.pattern) end
  return list
end

-- 'fileencodings' and 'fileformats' are global: they are narrowed for the
-- read of a description text only, and given back once it is read.
local saved = nil

local function before_read()
  saved = { encodings = vim.o.fileencodings, formats = vim.o.fileformats }
  vim.o.fileencodings = 'cp1252'
  vim.o.fileformats = 'dos,unix'
end

local function after_read(buf)
  if saved then
    vim.o.fileencodings = saved.encodings
    vim.o.fileformats = saved.formats
    saved = nil
  end
  vim.bo[buf].fileencoding = 'cp1252'
end

local function new_file(buf)
  after_read(buf)
  vim.bo[buf].fileformat = 'dos'
end

-- One server for each directory: the two texts of a scenario lie side by
-- side and are checked together.
local clients = {}

local function start(buf, tool)
  local config = {
    name = 'scenari',
    cmd = { tool, 'lsp' },
    root_dir = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(buf), ':p:h'),
  }
  if vim.lsp.start then
    vim.lsp.start(config, { bufnr = buf })
    return
  end
  -- Neovim 0.7 has no vim.lsp.start: the client of the directory, started
  -- once, is attached to each of its texts.
  local id = clients[config.root_dir]
  if not id or not vim.lsp.get_client_by_id(id) then
    id = vim.lsp.start_client(config)
    clients[config.root_dir] = id
  end
  if id then vim.lsp.buf_attach_client(buf, id) end
end

-- options.tool: the scenari-tool program, a name on the PATH or a path
-- ('scenari-tool' when not given).
function M.setup(options)
  local tool = (options or {}).tool or 'scenari-tool'
  local group = vim.api.nvim_create_augroup('scenari', { clear = true })
  local list = pattern_list()
  vim.api.nvim_create_autocmd('BufReadPre', {
    group = group, pattern = list, callback = before_read })
  vim.api.nvim_create_autocmd('BufReadPost', {
    group = group, pattern = list, callback = function(args) after_read(args.buf) end })
  vim.api.nvim_create_autocmd('BufNewFile', {
    group = group, pattern = list, callback = function(args) new_file(args.buf) end })
  for _, p in ipairs(patterns) do
    vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
      group = group, pattern = p.pattern,
      callback = function(args) vim.bo[args.buf].filetype = p.filetype end })
  end
  vim.api.nvim_create_autocmd('FileType', {
    group = group, pattern = { 'scenari_linea', 'scenari_treno' },
    callback = function(args) start(args.buf, tool) end })
end

return M
