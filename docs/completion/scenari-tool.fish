# fish completion of scenari-tool: commands, each command's options, and for
# --line and --train the scenarios found in the DIR already typed. Each
# command's options are listed once, in the table below; a test checks them
# against the program's own --help.

# The first word after the command that is neither an option nor an
# option's value: the DIR the scenario names come from.
function __scenari_tool_dir
    set -l words (commandline -opc)
    set -l skip 1
    for word in $words[3..-1]
        if test $skip -eq 0
            set skip 1
            continue
        end
        switch $word
            case --line --train --out --from --to --color --port --host
                set skip 0
            case '-*'
            case '*'
                echo $word
                return
        end
    end
    echo .
end

function __scenari_tool_routes
    set -l dir (__scenari_tool_dir)
    for f in $dir/*_linea.txt $dir/*_linea.dat
        string replace -r '_linea\.(txt|dat)$' '' -- (basename -- $f)
    end | sort -u
end

function __scenari_tool_trains
    set -l dir (__scenari_tool_dir)
    set -l routes (__scenari_tool_routes)
    set -l words (commandline -opc)
    if set -l i (contains -i -- --line $words)
        set routes $words[(math $i + 1)]
    end
    for f in $dir/*-.txt $dir/*.sim
        set -l stem (string replace -r '(-\.txt|\.sim)$' '' -- (basename -- $f))
        for route in $routes
            string match -q -- "$route"_'?*' $stem
            and string sub -s (math (string length -- $route) + 2) -- $stem
        end
    end | sort -u
end

set -l commands texts check lsp compile dump plot serve help
complete -c scenari-tool -f
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a texts -d "write the embedded scenario's two description texts into DIR"
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a check -d 'report every problem of the description texts of DIR'
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a lsp -d 'serve the Language Server Protocol, for editors'
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a compile -d 'compact the description texts of DIR into the binary files'
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a dump -d 'decode a _linea.dat, .sim or .dat file'
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a plot -d 'draw the compiled scenario of DIR'
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a serve -d "serve the route viewer of DIR's texts, redrawn on every save"
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -a help -d 'the commands, or the arguments and options of one'
complete -c scenari-tool -n "not __fish_seen_subcommand_from $commands" -s V -l version -d 'print the version'
complete -c scenari-tool -s h -l help -d 'print the arguments and options'
complete -c scenari-tool -l color -x -a 'auto always never' -d 'when to colour the messages'
complete -c scenari-tool -n '__fish_seen_subcommand_from help' -a "$commands"

# command: options (a trailing = takes a value)
for entry in 'texts: --line= --train= --force' \
             'check: --line= --train= --json --werror' \
             'lsp:' \
             'compile: --line= --train= --no-plan --out= --json --werror --no-wait' \
             'dump: --json --from= --to= --nonempty' \
             'plot: --out= --html --from= --to= --no-run-out --line= --train=' \
             'serve: --line= --train= --port= --host=' \
             'help:'
    set -l parts (string split ':' -- $entry)
    set -l command $parts[1]
    for option in (string split -n ' ' -- $parts[2])
        set -l name (string replace -ar '^--|=$' '' -- $option)
        set -l condition "__fish_seen_subcommand_from $command"
        switch $command:$option
            case texts:--line= texts:--train=
                complete -c scenari-tool -n $condition -l $name -x
            case '*:--line='
                complete -c scenari-tool -n $condition -l $name -x -a '(__scenari_tool_routes)'
            case '*:--train='
                complete -c scenari-tool -n $condition -l $name -x -a '(__scenari_tool_trains)'
            case '*:--out='
                complete -c scenari-tool -n $condition -l $name -r -F
            case '*='
                complete -c scenari-tool -n $condition -l $name -x
            case '*'
                complete -c scenari-tool -n $condition -l $name
        end
    end
end
complete -c scenari-tool -n '__fish_seen_subcommand_from texts check compile plot serve' -a '(__fish_complete_directories)'
complete -c scenari-tool -n '__fish_seen_subcommand_from dump' -a '(__fish_complete_suffix .dat .sim)'
