-- EventConfig.xml in Neovim (0.7 or later): diagnostics, hover, go to
-- definition, references, completion, outline and quick fixes from
-- `eventconfig lsp`. Copy this file to ~/.config/nvim/plugin/eventconfig.lua
-- (or source it from init.lua). Optional, set before it runs:
--   vim.g.eventconfig_cmd = { '/path/to/eventconfig', 'lsp' }
--   vim.g.eventconfig_file_names = { 'EventConfig.xml', 'EventConfig-*.xml' }

local cmd = vim.g.eventconfig_cmd or { 'eventconfig', 'lsp' }
local names = vim.g.eventconfig_file_names or { 'EventConfig.xml' }
local client_id

vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
  pattern = names,
  callback = function(args)
    -- One server for every such buffer.
    if not (client_id and vim.lsp.get_client_by_id(client_id)) then
      client_id = vim.lsp.start_client({
        name = 'eventconfig',
        cmd = cmd,
        root_dir = vim.fn.fnamemodify(args.file, ':p:h'),
      })
    end
    if client_id then
      vim.lsp.buf_attach_client(args.buf, client_id)
      -- Completion with <C-x><C-o>; the usual keys for the rest.
      vim.bo[args.buf].omnifunc = 'v:lua.vim.lsp.omnifunc'
      local function map(lhs, fn) vim.keymap.set('n', lhs, fn, { buffer = args.buf }) end
      map('K', vim.lsp.buf.hover)
      map('gd', vim.lsp.buf.definition)
      map('gr', vim.lsp.buf.references)
      map('gO', vim.lsp.buf.document_symbol)
      map('<leader>ca', vim.lsp.buf.code_action)
      map(']d', vim.diagnostic.goto_next)
      map('[d', vim.diagnostic.goto_prev)
    end
  end,
})
