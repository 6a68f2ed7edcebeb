-- Neovim's own LSP client on a broken copy of the example, through the
-- configuration snippet users copy (editors/neovim/eventconfig.lua).
-- Environment: EXAMPLE (the bundled example), WORKDIR (a scratch directory).

local failures = {}
local function check(name, ok, detail)
  if not ok then table.insert(failures, name .. ': ' .. vim.inspect(detail)) end
end

-- The broken copy: rule 1's transition names event state 555, which no
-- system state defines.
local lines = vim.fn.readfile(os.getenv('EXAMPLE'))
local broken
for i, line in ipairs(lines) do
  if line:find('<Action Type="3"><EventStateID>101</EventStateID>', 1, true) then
    lines[i] = line:gsub('>101<', '>555<')
    broken = i - 1
    break
  end
end
local path = os.getenv('WORKDIR') .. '/EventConfig.xml'
vim.fn.writefile(lines, path)
vim.cmd('edit ' .. vim.fn.fnameescape(path))
local buf = vim.api.nvim_get_current_buf()

-- 0-based position of the first line containing `after`, just past `at` in it.
local function where(after, at)
  for i, line in ipairs(lines) do
    local s = line:find(after, 1, true)
    if s then
      local c = line:find(at, s, true)
      return { line = i - 1, character = c + #at - 1 }
    end
  end
  error('not in the example: ' .. after)
end

local function request(method, position)
  local params = { textDocument = vim.lsp.util.make_text_document_params() }
  if position then params.position = position end
  local replies = vim.lsp.buf_request_sync(buf, method, params, 5000) or {}
  for _, reply in pairs(replies) do
    if reply.err then return nil, reply.err end
    return reply.result
  end
  return nil, 'no reply'
end

local got = vim.wait(10000, function() return #vim.diagnostic.get(buf) > 0 end, 20)
check('diagnostics arrive', got, 'none within 10 s')
local shown
for _, d in ipairs(vim.diagnostic.get(buf)) do
  if d.lnum == broken and d.message:find('event state 555', 1, true) then shown = d end
end
check('the undefined event state shows on its line', shown and shown.severity == vim.diagnostic.severity.ERROR,
  vim.diagnostic.get(buf))

local function text(hover)
  return hover and hover.contents and (hover.contents.value or vim.inspect(hover.contents)) or ''
end
local state100 = where('<WaitingEventState ID="100"', 'ID="')

-- method, position, what the answer must satisfy
local cases = {
  { 'hover on an operation Type', 'textDocument/hover', where('<Operation Type="4"', 'Type="'),
    function(r) return text(r):find('COptWaitMsgConfig', 1, true) end },
  { 'hover on an event state reference', 'textDocument/hover',
    where('<Action Type="11"><EventStateID>100', '<EventStateID>'),
    function(r) return text(r):find('event state 100', 1, true) end },
  { 'hover on an element', 'textDocument/hover', where('<Rule ID="1"', '<R'),
    function(r) return text(r):find('Operation', 1, true) end },
  { 'definition of an event state reference', 'textDocument/definition',
    where('<Action Type="11"><EventStateID>100', '<EventStateID>'),
    function(r)
      local loc = r and (r.range and r or r[1])
      return loc and loc.range.start.line == state100.line and loc.range.start.character == state100.character
    end },
  { 'completion of operation types', 'textDocument/completion', where('<Operation Type="4"', 'Type="'),
    function(r)
      for _, item in ipairs(r and (r.items or r) or {}) do
        if item.label == '6' and item.detail:find('COptFieldEqualConfig', 1, true) then return true end
      end
    end },
  { 'document symbols', 'textDocument/documentSymbol', nil,
    function(r)
      local protocol = r and r[1]
      local state = protocol and protocol.children and protocol.children[2]
      return protocol and protocol.name == 'WCDMA 1' and state and state.name == 'SystemState 1'
        and state.children[1].name == 'WaitingEventState 100'
        and state.children[1].children[1].name == 'Rule 1'
    end },
}
for _, case in ipairs(cases) do
  local result, err = request(case[2], case[3])
  check(case[1], not err and case[4](result), err or result)
end

for _, client in pairs(vim.lsp.get_active_clients()) do client.stop() end
if #failures > 0 then
  io.stderr:write(table.concat(failures, '\n') .. '\n')
  vim.cmd('cquit 1')
end
io.stdout:write('neovim: ' .. #cases + 2 .. ' checks passed\n')
vim.cmd('qall!')
